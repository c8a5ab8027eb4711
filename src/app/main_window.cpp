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

int MainWindow::handle(int event) {
  if (event != FL_KEYBOARD) return Fl_Window::handle(event);
  // Left unused so that FLTK tries them as shortcuts: the File menu's
  // Ctrl+S, Ctrl+E, Ctrl+Q and Alt+F. Not Escape: FLTK would close the window.
  if ((Fl::event_state() & (FL_CTRL | FL_ALT)) && Fl::event_key() != FL_Escape) return 0;
  // Every other key is the view's, and used: Escape does not close the
  // window.
  if (view_) view_->forwardEvent(event);
  return 1;
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
