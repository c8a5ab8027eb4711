#pragma once

#include <FL/Fl_Widget.H>

namespace kinemora {

// The window's callbacks. Each has the Application as its user data and
// hands the control's use to the command of the same name (application.h).

// A motion button (a MotionButton): Application::press of its motion.
void motionCallback(Fl_Widget* button, void* app);
void noiseCallback(Fl_Widget*, void* app);
void clearCallback(Fl_Widget*, void* app);

// The Edit menu. The application greys out the items with these callbacks.
void undoCallback(Fl_Widget*, void* app);
void redoCallback(Fl_Widget*, void* app);

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
