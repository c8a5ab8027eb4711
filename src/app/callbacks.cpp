#include "app/callbacks.h"

#include <FL/Fl_File_Chooser.H>
#include <FL/fl_ask.H>

#include <cstdlib>
#include <new>

namespace kinemora {

FigureView* figureView = nullptr;
TimelineSlider* timelineSlider = nullptr;
Fl_Multiline_Output* motionQueueDisplay = nullptr;
Composer* composer = nullptr;
char saveFileName[256] = {};

namespace {

// The queue text and the timeline's maximum, as the composer has them now.
void showComposition() {
  motionQueueDisplay->value(composer->queueText().c_str());
  timelineSlider->setMaximum(composer->timelineMaximum());
}

void pressMotion(Motion motion) {
  try {
    composer->press(motion);
  } catch (const std::bad_alloc&) {
    // The composer has put everything back as it was before the press.
    fl_alert("There is not enough memory to add \"%s\".\nThe animation is as it was.",
             motionButton(motion).label);
    return;
  }
  showComposition();
}

}  // namespace

void rhumbaCallback(Fl_Widget*, void*) { pressMotion(Motion::Rhumba); }
void clapCallback(Fl_Widget*, void*) { pressMotion(Motion::Clap); }
void bendCallback(Fl_Widget*, void*) { pressMotion(Motion::Bend); }
void seizureCallback(Fl_Widget*, void*) { pressMotion(Motion::Seizure); }
void punchRCallback(Fl_Widget*, void*) { pressMotion(Motion::PunchR); }
void punchLCallback(Fl_Widget*, void*) { pressMotion(Motion::PunchL); }
void cheerCallback(Fl_Widget*, void*) { pressMotion(Motion::Cheer); }

void noiseCallback(Fl_Widget*, void*) { composer->toggleNoise(); }

void clearCallback(Fl_Widget*, void*) {
  composer->clear();
  showComposition();
  timelineSlider->value(0);
}

void saveCallback(Fl_Widget*, void*) {
  const char* path = fl_file_chooser("Save File As?", "*", saveFileName);
  if (!path) return;  // cancelled
  saveAnimation(path);
}

void saveAnimation(const char* path) {
  try {
    const SaveResult result = composer->save(path);
    if (!result) fl_alert("%s", result.message.c_str());
  } catch (const std::bad_alloc&) {
    fl_alert("There is not enough memory to save '%s'.\nAn existing file was left as it was.",
             path);
  }
}

void exitCallback(Fl_Widget*, void*) { std::exit(0); }

}  // namespace kinemora
