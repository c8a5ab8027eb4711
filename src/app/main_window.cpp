#include "app/main_window.h"

#include <FL/Fl.H>

namespace kinemora {

MainWindow::MainWindow(int x, int y, int w, int h, const char* label)
    : Fl_Window(x, y, w, h, label), firstW_(w), firstH_(h) {
  size_range(w, h);
}

int MainWindow::setView(FigureView* view) {
  view_ = view;
  return 0;
}

// A key reaches the window when the widget with the focus had no use for it.
int MainWindow::handle(int event) {
  if (event != FL_KEYBOARD) return Fl_Window::handle(event);
  // Used here: FLTK would close the window with an Escape nobody used.
  if (Fl::event_key() == FL_Escape) return 1;
  // Left unused, so that FLTK tries them as the menus' shortcuts.
  if (Fl::event_state(FL_CTRL | FL_ALT | FL_META)) return 0;
  // Tab, Shift+Tab and the arrows move the focus (Fl_Group); w/a/s/d move
  // the eye. The rest go on as shortcuts: Delete deletes a clip.
  if (Fl_Window::handle(event)) return 1;
  return view_ ? view_->forwardEvent(event) : 0;
}

void MainWindow::place(Fl_Widget* widget, unsigned follow) {
  placements_.push_back({widget, widget->x(), widget->y(), widget->w(), widget->h(), follow});
}

void MainWindow::resize(int x, int y, int w, int h) {
  // No resizable() child: the window itself moves nothing, and every
  // widget is placed from its first box, so nothing drifts.
  Fl_Window::resize(x, y, w, h);
  const int dw = w - firstW_, dh = h - firstH_;
  for (const Placement& p : placements_) {
    p.widget->resize(p.x + (p.follow & kRight ? dw : 0), p.y + (p.follow & kDown ? dh : 0),
                     p.w + (p.follow & kWider ? dw : 0), p.h + (p.follow & kTaller ? dh : 0));
  }
  redraw();
}

}  // namespace kinemora
