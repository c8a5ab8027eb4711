#pragma once

#include <FL/Fl_Widget.H>

namespace kinemora {

// The window's callbacks. Each has the Application as its user data and
// hands the control's use to the command of the same name (application.h).

// A motion button (a MotionButton): Application::press of its motion; with
// Shift held, insertBefore; with Ctrl held, replaceWith.
void motionCallback(Fl_Widget* button, void* app);
void noiseCallback(Fl_Widget*, void* app);
void clearCallback(Fl_Widget*, void* app);
// The timeline slider, which Play moves too: showFrame.
void frameCallback(Fl_Widget*, void* app);
// The strip (a ClipStrip): the command for what it was asked.
void clipStripCallback(Fl_Widget* strip, void* app);

// The Edit menu. The application greys out the items with these callbacks.
void undoCallback(Fl_Widget*, void* app);
void redoCallback(Fl_Widget*, void* app);
void deleteClipCallback(Fl_Widget*, void* app);
void moveClipEarlierCallback(Fl_Widget*, void* app);
void moveClipLaterCallback(Fl_Widget*, void* app);
void duplicateClipCallback(Fl_Widget*, void* app);
// Items labelled with a motion, under Insert Before and Replace With.
void insertBeforeCallback(Fl_Widget* menu, void* app);
void replaceWithCallback(Fl_Widget* menu, void* app);
void toggleClipNoiseCallback(Fl_Widget*, void* app);

// The File menu.
void openCompositionCallback(Fl_Widget*, void* app);
void saveCallback(Fl_Widget*, void* app);
void exportCallback(Fl_Widget*, void* app);
void exportVideoCallback(Fl_Widget*, void* app);
void saveCompositionCallback(Fl_Widget*, void* app);
void saveCompositionAsCallback(Fl_Widget*, void* app);
// File > Exit, and closing the window.
void exitCallback(Fl_Widget*, void* app);

}  // namespace kinemora
