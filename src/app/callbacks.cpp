#include "app/callbacks.h"

#include "app/application.h"
#include "app/motion_button.h"

namespace kinemora {

namespace {

Application& application(void* app) { return *static_cast<Application*>(app); }

}  // namespace

void motionCallback(Fl_Widget* button, void* app) {
  application(app).press(static_cast<MotionButton*>(button)->motion());
}

void noiseCallback(Fl_Widget*, void* app) { application(app).switchNoise(); }

void clearCallback(Fl_Widget*, void* app) { application(app).clear(); }

void undoCallback(Fl_Widget*, void* app) { application(app).undo(); }

void redoCallback(Fl_Widget*, void* app) { application(app).redo(); }

void openCompositionCallback(Fl_Widget*, void* app) { application(app).openComposition(); }

void saveCallback(Fl_Widget*, void* app) { application(app).saveFile(); }

void exportCallback(Fl_Widget*, void* app) { application(app).exportGltf(); }

void exportVideoCallback(Fl_Widget*, void* app) { application(app).exportVideo(); }

void saveCompositionCallback(Fl_Widget*, void* app) { application(app).saveComposition(); }

void saveCompositionAsCallback(Fl_Widget*, void* app) { application(app).saveCompositionAs(); }

void exitCallback(Fl_Widget*, void* app) { application(app).exit(); }

}  // namespace kinemora
