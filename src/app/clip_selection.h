#pragma once

#include "compose/clip_edits.h"

namespace kinemora {

// The clips selected on the strip: a contiguous range, and which end of it
// moves when the selection is extended (Shift+click, Shift+arrow) while the
// other end stays put.
class ClipSelection {
 public:
  ClipRange range() const { return range_; }
  // The end that moves: the clip last clicked or stepped to; -1 with none.
  int cursor() const;

  // Just `clip`.
  void select(int clip);
  // From the end that stays to `clip`; just `clip` when nothing was selected.
  void extendTo(int clip);
  // What an edit selected; the moving end stays at the same side.
  void set(ClipRange range) { range_ = range; }
  void clear() { range_ = {}; }
  // After the clips changed under it (undo, redo, clear, open).
  void keepWithin(int clipCount) { range_ = within(range_, clipCount); }

 private:
  ClipRange range_;
  bool cursorFirst_ = false;  // the moving end is range_.first
};

}  // namespace kinemora
