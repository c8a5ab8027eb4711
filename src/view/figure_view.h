#pragma once

#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Valuator.H>

#include "figure/skeleton.h"
#include "view/camera.h"

namespace kinemora {

// The OpenGL view: the figure on its checkerboard floor, posed at the frame
// the timeline shows. A right-button drag turns the view; "w", "s", "a" and
// "d" move the eye. It holds the program's one Skeleton.
class FigureView : public Fl_Gl_Window {
 public:
  FigureView(int x, int y, int w, int h, const char* label);
  ~FigureView() override;

  void draw() override;
  int handle(int event) override;
  // The main window sends every key press it gets through here.
  int forwardEvent(int event) { return handle(event); }
  void drawFloor();
  // The timeline position drawn: the slider's value, 0 before there is one.
  float shownFrame() const;

  Camera camera;
  Fl_Valuator* timeline = nullptr;  // the timeline slider; not owned
  Skeleton* skeleton;               // owned

 private:
  // The picture keeps the proportions it has at the first size, however
  // the view is then stretched.
  void fitToSize();
  const int firstW_, firstH_;
};

}  // namespace kinemora
