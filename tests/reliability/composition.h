#pragma once

#include <string>
#include <vector>

#include "compose/composer.h"

namespace kinemora::reliability {

// What a user presses, by label: a motion ("rhumba" ... "cheer"), "noise"
// or "clear". Throws on any other word.
void perform(Composer& composer, const std::vector<std::string>& actions);

// The file text a save would write, taken from the stream writer.
std::string bvhText(const Composer& composer);

}  // namespace kinemora::reliability
