#include "app/clip_selection.h"

#include <algorithm>

namespace kinemora {

int ClipSelection::cursor() const {
  if (range_.empty()) return -1;
  return cursorFirst_ ? range_.first : range_.last;
}

void ClipSelection::select(int clip) {
  range_ = {clip, clip};
  cursorFirst_ = false;
}

void ClipSelection::extendTo(int clip) {
  if (range_.empty()) return select(clip);
  const int anchor = cursorFirst_ ? range_.last : range_.first;
  range_ = {std::min(anchor, clip), std::max(anchor, clip)};
  cursorFirst_ = clip < anchor;
}

}  // namespace kinemora
