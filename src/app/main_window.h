#pragma once

#include <FL/Fl_Window.H>

#include <vector>

#include "app/figure_view.h"

namespace kinemora {

// The program's one window. A key press goes first to the widget with the
// focus; what it leaves comes here: Tab moves the focus, "w", "s", "a" and
// "d" move the eye in the 3D view, and the rest is tried as the menus'
// shortcuts. Escape never closes it. It can grow past its first size: each
// widget placed with place() follows the extra width and height as it was
// told.
class MainWindow : public Fl_Window {
 public:
  // How a widget follows the window as it grows: any of these, or none to
  // keep its place and size.
  enum Follow : unsigned {
    kRight = 1,   // moves right by the extra width
    kWider = 2,   // grows by the extra width
    kDown = 4,    // moves down by the extra height
    kTaller = 8,  // grows by the extra height
  };

  // The window at its smallest; it may grow from there.
  MainWindow(int x, int y, int w, int h, const char* label);

  // The view that moves its eye for keys; set once, before the window shows.
  int setView(FigureView* view);
  FigureView* view() const { return view_; }
  int handle(int event) override;

  // Records the widget's box at the window's first size and how it follows.
  void place(Fl_Widget* widget, unsigned follow);
  void resize(int x, int y, int w, int h) override;

 private:
  struct Placement {
    Fl_Widget* widget;
    int x, y, w, h;  // at the first size
    unsigned follow;
  };

  FigureView* view_ = nullptr;
  int firstW_, firstH_;
  std::vector<Placement> placements_;
};

}  // namespace kinemora
