#include "app/callbacks.h"

#include <FL/Fl.H>
#include <FL/Fl_Menu_.H>

#include "app/application.h"
#include "app/clip_strip.h"
#include "app/motion_button.h"

namespace kinemora {

namespace {

Application& application(void* app) { return *static_cast<Application*>(app); }

// The motion of the menu item just picked, which is labelled with it.
Motion pickedMotion(Fl_Widget* menu) {
  return findMotion(static_cast<Fl_Menu_*>(menu)->mvalue()->label())->motion;
}

}  // namespace

void motionCallback(Fl_Widget* button, void* app) {
  const Motion motion = static_cast<MotionButton*>(button)->motion();
  if (Fl::event_state(FL_SHIFT)) {
    application(app).insertBefore(motion);
  } else if (Fl::event_state(FL_CTRL)) {
    application(app).replaceWith(motion);
  } else {
    application(app).press(motion);
  }
}

void noiseCallback(Fl_Widget*, void* app) { application(app).switchNoise(); }

void clearCallback(Fl_Widget*, void* app) { application(app).clear(); }

void frameCallback(Fl_Widget*, void* app) { application(app).showFrame(); }

void clipStripCallback(Fl_Widget* widget, void* app) {
  const auto* strip = static_cast<ClipStrip*>(widget);
  const int clip = strip->askedClip();
  switch (strip->asked()) {
    case ClipStrip::Ask::Select: application(app).selectClip(clip); break;
    case ClipStrip::Ask::Extend: application(app).extendSelection(clip); break;
    case ClipStrip::Ask::Deselect: application(app).clearSelection(); break;
    case ClipStrip::Ask::MoveTo: application(app).moveSelectionTo(clip); break;
  }
}

void undoCallback(Fl_Widget*, void* app) { application(app).undo(); }

void redoCallback(Fl_Widget*, void* app) { application(app).redo(); }

void deleteClipCallback(Fl_Widget*, void* app) { application(app).deleteClip(); }

void moveClipEarlierCallback(Fl_Widget*, void* app) { application(app).moveClipEarlier(); }

void moveClipLaterCallback(Fl_Widget*, void* app) { application(app).moveClipLater(); }

void duplicateClipCallback(Fl_Widget*, void* app) { application(app).duplicateClip(); }

void insertBeforeCallback(Fl_Widget* menu, void* app) {
  application(app).insertBefore(pickedMotion(menu));
}

void replaceWithCallback(Fl_Widget* menu, void* app) {
  application(app).replaceWith(pickedMotion(menu));
}

void toggleClipNoiseCallback(Fl_Widget*, void* app) { application(app).toggleClipNoise(); }

void openCompositionCallback(Fl_Widget*, void* app) { application(app).openComposition(); }

void saveCallback(Fl_Widget*, void* app) { application(app).saveFile(); }

void exportCallback(Fl_Widget*, void* app) { application(app).exportGltf(); }

void exportVideoCallback(Fl_Widget*, void* app) { application(app).exportVideo(); }

void saveCompositionCallback(Fl_Widget*, void* app) { application(app).saveComposition(); }

void saveCompositionAsCallback(Fl_Widget*, void* app) { application(app).saveCompositionAs(); }

void exitCallback(Fl_Widget*, void* app) { application(app).exit(); }

}  // namespace kinemora
