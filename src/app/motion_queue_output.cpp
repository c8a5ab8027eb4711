#include "app/motion_queue_output.h"

#include <FL/Fl.H>

namespace kinemora {

namespace {

// The keys a read-only field uses: moving the cursor, selecting (with
// Shift), selecting all and copying. With Alt held, none: the menus'
// shortcuts.
bool usedByTheField(int key) {
  if (Fl::event_state(FL_ALT | FL_META)) return false;
  switch (key) {
    case FL_Left: case FL_Right: case FL_Up: case FL_Down:
    case FL_Home: case FL_End: case FL_Page_Up: case FL_Page_Down:
      return true;
    case 'a': case 'c': case FL_Insert:
      return Fl::event_state(FL_CTRL) != 0;
    default:
      return false;
  }
}

}  // namespace

MotionQueueOutput::MotionQueueOutput(int x, int y, int w, int h, const char* label)
    : Fl_Multiline_Output(x, y, w, h, label) {}

int MotionQueueOutput::handle(int event) {
  if (event == FL_KEYBOARD && !usedByTheField(Fl::event_key())) return 0;
  return Fl_Multiline_Output::handle(event);
}

}  // namespace kinemora
