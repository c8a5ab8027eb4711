#include "app/saved_state.h"

#include <algorithm>
#include <utility>

#include "export/shown_text.h"

namespace kinemora {

namespace {

constexpr const char* kProgramName = "Kinemora";

bool same(const std::vector<Action>& a, const std::vector<Action>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Action& x, const Action& y) {
    return x.kind == y.kind && x.motion == y.motion;
  });
}

}  // namespace

void SavedState::compositionSaved(const std::string& path, std::vector<Action> actions) {
  path_ = path;
  saved_ = std::move(actions);
}

void SavedState::animationExported(std::vector<Action> actions) {
  exported_ = std::move(actions);
}

std::string SavedState::name() const {
  if (path_.empty()) return "Untitled";
  const std::size_t slash = path_.rfind('/');
  return shownText(slash == std::string::npos ? path_ : path_.substr(slash + 1));
}

bool SavedState::unsaved(const std::vector<Action>& now) const { return !same(now, saved_); }

bool SavedState::exported(const std::vector<Action>& now) const {
  return exported_ && same(now, *exported_);
}

std::string SavedState::title(const std::vector<Action>& now) const {
  const bool changed = unsaved(now);
  if (path_.empty() && !changed) return kProgramName;
  return (changed ? "*" : "") + name() + " - " + kProgramName;
}

}  // namespace kinemora
