#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "motion/motions.h"

namespace kinemora {

// What a user does to a composition: press a motion button, flip "add
// noise", press "clear". Each has one word: the motion's label, "noise" or
// "clear". kinemora-compose takes these words, and the tests speak them.
struct Action {
  enum class Kind { Press, Noise, Clear };
  Kind kind;
  Motion motion = Motion::Rhumba;  // the motion pressed; Press only
};

// The action a word names, or nothing.
std::optional<Action> actionNamed(std::string_view word);
std::string_view wordOf(const Action& action);
// Every word, in the order of the buttons: "rhumba clap ... cheer noise clear".
std::string actionWords();

}  // namespace kinemora
