#include "app/motion_queue_output.h"

#include <FL/Fl.H>

#include <string>

#include "motion/motions.h"

namespace kinemora {

namespace {

// The keys a read-only field uses: moving the cursor, selecting (with
// Shift), selecting all and copying. With Alt held, none: the menus'
// shortcuts (Alt+Left moves a clip).
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
    : Fl_Multiline_Output(x, y, w, h, label) {
  // Broken at spaces rather than run past the field, so that scrolled to
  // its end it shows the latest motions.
  type(FL_MULTILINE_OUTPUT_WRAP);
}

int MotionQueueOutput::handle(int event) {
  if (event == FL_KEYBOARD && !usedByTheField(Fl::event_key())) return 0;
  return Fl_Multiline_Output::handle(event);
}

void MotionQueueOutput::showClips(const std::vector<Clip>& clips) {
  std::string text;
  for (const Clip& clip : clips) {
    text += motionEntry(clip.word.motion).label;
    text += ' ';
  }
  if (text == value()) return;  // a selection of its text stays
  value(text.c_str(), static_cast<int>(text.size()));
  position(size());  // a read-only field would show the start
}

}  // namespace kinemora
