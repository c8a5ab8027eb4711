#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Progress.H>

#include <functional>
#include <string>

#include "export/save_result.h"
#include "video/video_writer.h"

namespace kinemora {

// A job that says how far it has come through `written`, which answers
// false once it should stop. It throws nothing.
using ProgressJob = std::function<SaveResult(const FramesWritten& written)>;

// A modal window with a bar of how many of the frames are done and a Cancel
// button (Escape and closing the window cancel too). It runs a long save in
// a thread of its own while the window's event loop goes on, so the bar
// moves and Cancel answers; the other windows wait meanwhile.
class ProgressDialog : public Fl_Double_Window {
 public:
  ProgressDialog(const char* title, int frames);

  // Shows the dialog, runs the job on another thread until it ends,
  // cancelled or not, then hides the dialog; the job's result.
  SaveResult run(const ProgressJob& job);
  bool cancelled() const { return cancelled_; }

 private:
  static void cancelCallback(Fl_Widget*, void* dialog);
  void showDone(int done);

  Fl_Progress* bar_;
  Fl_Button* cancel_;
  int frames_;
  bool cancelled_ = false;
  std::string text_;  // the bar's label
};

}  // namespace kinemora
