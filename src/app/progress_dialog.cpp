#include "app/progress_dialog.h"

#include <FL/Fl.H>

#include <atomic>
#include <thread>

namespace kinemora {

namespace {

// How often the dialog looks at the job: the bar moves smoothly enough and
// the waiting costs nothing.
constexpr double kLookSeconds = 0.05;

}  // namespace

ProgressDialog::ProgressDialog(const char* title, int frames)
    : Fl_Double_Window(360, 110, title), frames_(frames) {
  bar_ = new Fl_Progress(20, 20, 320, 30);
  bar_->minimum(0);
  bar_->maximum(static_cast<float>(frames));
  bar_->selection_color(FL_BLUE);
  cancel_ = new Fl_Button(240, 65, 100, 30, "Cancel");
  cancel_->callback(cancelCallback, this);
  end();
  callback(cancelCallback, this);  // Escape, and the window manager's close
  set_modal();
  showDone(0);
}

void ProgressDialog::cancelCallback(Fl_Widget*, void* dialog) {
  auto* self = static_cast<ProgressDialog*>(dialog);
  self->cancelled_ = true;
  self->cancel_->deactivate();
}

void ProgressDialog::showDone(int done) {
  text_ = std::to_string(done) + " of " + std::to_string(frames_) + " frames";
  bar_->value(static_cast<float>(done));
  bar_->label(text_.c_str());
}

SaveResult ProgressDialog::run(const ProgressJob& job) {
  std::atomic<int> done{0};
  std::atomic<bool> stop{false}, ended{false};
  SaveResult result;
  std::thread worker([&] {
    result = job([&](int n) {
      done = n;
      return !stop;
    });
    ended = true;
  });
  show();
  while (!ended) {
    Fl::wait(kLookSeconds);
    showDone(done);
    stop = cancelled_;
  }
  worker.join();
  hide();
  return result;
}

}  // namespace kinemora
