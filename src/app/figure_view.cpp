#include "app/figure_view.h"

#include <FL/Fl.H>
#include <GL/gl.h>

#include "view/figure_drawing.h"
#include "view/joint_pose.h"
#include "view/pointer_to_unit.h"

namespace kinemora {

namespace {

constexpr int kRightButton = FL_Button + FL_RIGHT_MOUSE;
// A repaint at the next flush; the timeline asks with the same bit.
constexpr uchar kRepaint = FL_DAMAGE_CHILD;

}  // namespace

FigureView::FigureView(int x, int y, int w, int h, const char* label)
    : Fl_Gl_Window(x, y, w, h, label), firstW_(w), firstH_(h) {
  mode(FL_RGB | FL_DOUBLE | FL_DEPTH | FL_STENCIL);
}

void FigureView::setFrames(const FrameStore* frames) {
  frames_ = frames;
  damage(kRepaint);
}

void FigureView::setFrame(float frame) {
  frame_ = frame;
  damage(kRepaint);
}

void FigureView::draw() {
  if (!valid()) fitToSize();
  drawScene(camera, frames_ ? shownPose(*frames_, frame_) : Pose());
}

void FigureView::fitToSize() {
  glViewport(0, 0, pixel_w(), pixel_h());
  camera.aspect = aspectAt(w(), h(), firstW_, firstH_);
}

int FigureView::handle(int event) {
  switch (event) {
    case FL_PUSH:
    case FL_DRAG: {
      if (Fl::event_key() != kRightButton) break;
      const UnitPoint p = pointerToUnit(Fl::event_x(), Fl::event_y(), w(), h());
      const float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
      if (event == FL_PUSH) {
        camera.trackball.beginDrag(x, y);
      } else {
        camera.trackball.drag(x, y);
      }
      damage(kRepaint);
      return 1;
    }
    case FL_KEYBOARD:
      if (camera.moveEyeForKey(Fl::event_key())) {
        damage(kRepaint);
        return 1;
      }
      return 0;  // not the view's: the window tries it as a shortcut
    case FL_SHOW:
      show();
      return 1;
    default:
      break;
  }
  // Pointer motion, releases, enter, leave, focus: all repaint.
  damage(kRepaint);
  return Fl_Gl_Window::handle(event);
}

}  // namespace kinemora
