#include "compose/actions.h"

namespace kinemora {

namespace {

constexpr std::string_view kNoiseWord = "noise";
constexpr std::string_view kClearWord = "clear";
constexpr std::string_view kUndoWord = "undo";
constexpr std::string_view kRedoWord = "redo";

}  // namespace

std::optional<Action> actionNamed(std::string_view word) {
  if (const MotionEntry* entry = findMotion(word)) {
    return Action{Action::Kind::Press, entry->motion};
  }
  if (word == kNoiseWord) return Action{Action::Kind::Noise};
  if (word == kClearWord) return Action{Action::Kind::Clear};
  if (word == kUndoWord) return Action{Action::Kind::Undo};
  if (word == kRedoWord) return Action{Action::Kind::Redo};
  return std::nullopt;
}

std::string_view wordOf(const Action& action) {
  switch (action.kind) {
    case Action::Kind::Press: return motionEntry(action.motion).label;
    case Action::Kind::Noise: return kNoiseWord;
    case Action::Kind::Clear: return kClearWord;
    case Action::Kind::Undo: return kUndoWord;
    case Action::Kind::Redo: return kRedoWord;
  }
  return {};
}

std::string actionWords() {
  std::string words;
  for (const MotionEntry& entry : kMotions) {
    words += entry.label;
    words += ' ';
  }
  for (std::string_view word : {kNoiseWord, kClearWord, kUndoWord, kRedoWord}) {
    words += word;
    words += ' ';
  }
  words.pop_back();
  return words;
}

}  // namespace kinemora
