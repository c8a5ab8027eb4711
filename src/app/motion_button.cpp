#include "app/motion_button.h"

namespace kinemora {

MotionButton::MotionButton(const MotionEntry& entry, int x, int y, int w, int h)
    : Fl_Button(x, y, w, h, entry.label), motion_(entry.motion) {}

}  // namespace kinemora
