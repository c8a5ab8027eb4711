#include "app/callbacks.h"

#include <FL/Fl_File_Chooser.H>
#include <FL/fl_ask.H>

#include <cstdlib>
#include <new>
#include <string>

#include "export/file_format.h"

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

// Writes the frames on the timeline; a failure is shown with its reason.
void saveAs(const char* path, FileFormat format) {
  try {
    const SaveResult result = composer->save(path, format);
    if (!result) fl_alert("%s", result.message.c_str());
  } catch (const std::bad_alloc&) {
    fl_alert("There is not enough memory to save '%s'.\nAn existing file was left as it was.",
             path);
  }
}

}  // namespace

void motionCallback(Fl_Widget*, void* data) {
  const auto& entry = *static_cast<const MotionEntry*>(data);
  try {
    composer->press(entry.motion);
  } catch (const std::bad_alloc&) {
    // The composer has put everything back as it was before the press.
    fl_alert("There is not enough memory to add \"%s\".\nThe animation is as it was.",
             entry.label);
    return;
  }
  showComposition();
}

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

void saveAnimation(const char* path) { saveAs(path, FileFormat::Bvh); }

void exportCallback(Fl_Widget*, void*) {
  const char* path = fl_file_chooser("Export glTF As?", "*.{glb,gltf}", saveFileName);
  if (!path) return;  // cancelled
  exportAnimation(path);
}

void exportAnimation(const char* path) {
  std::string target = path;
  if (formatOfPath(target) == FileFormat::Bvh) target += ".glb";
  saveAs(target.c_str(), formatOfPath(target));
}

void exitCallback(Fl_Widget*, void*) { std::exit(0); }

}  // namespace kinemora
