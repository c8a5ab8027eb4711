#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "motion/motions.h"

namespace kinemora {

// What a user does to a composition: press a motion button, flip "add
// noise", press "clear", and take the last of these back or redo it. Each
// has one word: the motion's label, "noise", "clear", "undo" or "redo".
// kinemora-compose and composition files take these words, and the tests
// speak them.
struct Action {
  enum class Kind { Press, Noise, Clear, Undo, Redo };
  Kind kind;
  Motion motion = Motion::Rhumba;  // the motion pressed; Press only
};

// The action a word names, or nothing.
std::optional<Action> actionNamed(std::string_view word);
std::string_view wordOf(const Action& action);
// Every word, in the order of the buttons: "rhumba ... cheer noise clear
// undo redo".
std::string actionWords();

}  // namespace kinemora
