#pragma once

#include <FL/Fl_Button.H>

#include "motion/motions.h"

namespace kinemora {

// A motion button: labelled from the motion table, and knowing the motion it
// appends, so that one callback serves every button.
class MotionButton : public Fl_Button {
 public:
  MotionButton(const MotionEntry& entry, int x, int y, int w, int h);

  Motion motion() const { return motion_; }

 private:
  const Motion motion_;
};

}  // namespace kinemora
