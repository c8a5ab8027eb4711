#pragma once

#include <FL/Fl_Window.H>

#include "view/figure_view.h"

namespace kinemora {

// The program's one window. Key presses that no widget uses end here and go
// on to the 3D view, so "w", "s", "a" and "d" move the eye whichever widget
// has the keyboard.
class MainWindow : public Fl_Window {
 public:
  MainWindow(int x, int y, int w, int h, const char* label);

  // The view that receives the keyboard; set once, before the window shows.
  int setView(FigureView* view);
  int handle(int event) override;

 private:
  FigureView* view_ = nullptr;
};

}  // namespace kinemora
