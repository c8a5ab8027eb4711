#include "app/main_window.h"

#include <FL/Fl.H>

namespace kinemora {

MainWindow::MainWindow(int x, int y, int w, int h, const char* label)
    : Fl_Window(x, y, w, h, label) {}

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

}  // namespace kinemora
