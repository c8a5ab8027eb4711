#pragma once

#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Widget.H>

#include "app/main_window.h"
#include "app/timeline_slider.h"
#include "compose/composer.h"
#include "compose/history.h"
#include "view/figure_view.h"

namespace kinemora {

// What the callbacks reach; set once by the start-up, never freed.
extern MainWindow* mainWindow;
extern Fl_Menu_Bar* menuBar;
extern FigureView* figureView;
extern TimelineSlider* timelineSlider;
extern Fl_Multiline_Output* motionQueueDisplay;
extern Fl_Light_Button* noiseSwitch;
extern Composer* composer;  // the composition figureView shows
extern History* history;    // over composer: every action goes through it
// The name the file chooser starts with: always empty.
extern char saveFileName[256];

// A motion button (a MotionButton): append its motion, then show the queue
// text and the longer timeline. The slider's value stays.
void motionCallback(Fl_Widget* button, void*);
// "add noise": flips the switch for motions appended from now on.
void noiseCallback(Fl_Widget*, void*);
// "clear": empties the queue text, the frames and the timeline.
void clearCallback(Fl_Widget*, void*);

// Edit > Undo and Edit > Redo, greyed out when there is nothing to do.
void undoCallback(Fl_Widget*, void*);
void redoCallback(Fl_Widget*, void*);

// File > Save File: asks for a path, then saveAnimation. A name ending in
// ".kinemora" is refused and asked again: an animation never replaces a
// composition.
void saveCallback(Fl_Widget*, void*);
// Writes the frames on the timeline; a failure is shown with its reason.
void saveAnimation(const char* path);
// File > Open Composition: with unsaved changes, asks whether to save them
// first; then asks for a file and calls openComposition.
void openCompositionCallback(Fl_Widget*, void*);
// A fresh start followed by the file's actions, or, when the file cannot be
// read, is not a composition or needs more memory than there is, a message
// and nothing changed.
void openComposition(const char* path);
// File > Save Composition: to the composition's own file without asking
// once it has one; before that, as Save Composition As.
void saveCompositionCallback(Fl_Widget*, void*);
// File > Save Composition As: asks for a path, then saveComposition.
void saveCompositionAsCallback(Fl_Widget*, void*);
// Writes the actions in effect, which the file then holds; ".kinemora" is
// added to a name without an extension. False, after a message, when it
// could not be written.
bool saveComposition(const char* path);
// File > Export glTF: asks for a path, refused as for Save File, then
// exportAnimation.
void exportCallback(Fl_Widget*, void*);
// Writes the frames on the timeline as glTF, binary unless the name ends in
// ".gltf"; a name ending in neither ".glb" nor ".gltf" gets ".glb".
void exportAnimation(const char* path);
// File > Exit, and closing the window: with unsaved changes, asks whether to
// save them first (Save, Don't Save, Cancel); then ends the process, status 0.
void exitCallback(Fl_Widget*, void*);

// Shows what the composition holds now: queue text, noise light, timeline,
// the Edit menu's state and the window title.
void showComposition();

}  // namespace kinemora
