#include "compose/actions.h"

namespace kinemora {

namespace {

constexpr std::string_view kNoiseWord = "noise";
constexpr std::string_view kClearWord = "clear";

}  // namespace

std::optional<Action> actionNamed(std::string_view word) {
  if (const MotionEntry* entry = findMotion(word)) return Action{Action::Kind::Press, entry->motion};
  if (word == kNoiseWord) return Action{Action::Kind::Noise};
  if (word == kClearWord) return Action{Action::Kind::Clear};
  return std::nullopt;
}

std::string_view wordOf(const Action& action) {
  switch (action.kind) {
    case Action::Kind::Press: return motionEntry(action.motion).label;
    case Action::Kind::Noise: return kNoiseWord;
    case Action::Kind::Clear: return kClearWord;
  }
  return {};
}

std::string actionWords() {
  std::string words;
  for (const MotionEntry& entry : kMotions) {
    words += entry.label;
    words += ' ';
  }
  words += kNoiseWord;
  words += ' ';
  words += kClearWord;
  return words;
}

}  // namespace kinemora
