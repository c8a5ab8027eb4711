#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compose/actions.h"

namespace kinemora {

// What the session was when it last met a file: the composition it was
// opened from or saved to, and the animation last exported (Save File,
// Export glTF). Enough to tell whether leaving it would lose work, and to
// name it. It starts untitled, with no actions saved.
class SavedState {
 public:
  // The session's actions are now those of the composition file `path`.
  void compositionSaved(const std::string& path, std::vector<Action> actions);
  // The animation of these actions was written.
  void animationExported(std::vector<Action> actions);

  // The composition's file; empty while it has none.
  const std::string& path() const { return path_; }
  // Its file name as messages show it, or "Untitled".
  std::string name() const;
  // Whether `now` differs from the actions last opened or saved.
  bool unsaved(const std::vector<Action>& now) const;
  // Whether the animation of `now` is the one last exported.
  bool exported(const std::vector<Action>& now) const;
  // "Kinemora" for an untitled session with nothing in it; otherwise the
  // name, a star in front while unsaved: "*Untitled - Kinemora".
  std::string title(const std::vector<Action>& now) const;

 private:
  std::string path_;
  std::vector<Action> saved_;
  std::optional<std::vector<Action>> exported_;
};

}  // namespace kinemora
