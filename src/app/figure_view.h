#pragma once

#include <FL/Fl_Gl_Window.H>

#include "figure/frame_store.h"
#include "view/camera.h"

namespace kinemora {

// The OpenGL view: the figure on its checkerboard floor, in the frame it is
// told to show. A right-button drag turns the view; "w", "s", "a" and "d"
// move the eye. It draws what it is given and owns none of it.
class FigureView : public Fl_Gl_Window {
 public:
  FigureView(int x, int y, int w, int h, const char* label);

  // The frames to show; nothing (the figure at rest) until set. Not owned.
  void setFrames(const FrameStore* frames);
  // The timeline position to show (joint_pose.h says which stored frame).
  void setFrame(float frame);
  float frame() const { return frame_; }

  void draw() override;
  int handle(int event) override;
  // The main window sends the key presses it gets through here; 1 when
  // the key moved the eye.
  int forwardEvent(int event) { return handle(event); }

  Camera camera;

 private:
  // The picture keeps the proportions it has at the first size, however
  // the view is then stretched.
  void fitToSize();
  const int firstW_, firstH_;
  const FrameStore* frames_ = nullptr;
  float frame_ = 0.0f;
};

}  // namespace kinemora
