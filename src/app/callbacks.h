#pragma once

#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Widget.H>

#include "app/timeline_slider.h"
#include "compose/composer.h"
#include "view/figure_view.h"

namespace kinemora {

// What the callbacks reach; set once by the start-up, never freed.
extern FigureView* figureView;
extern TimelineSlider* timelineSlider;
extern Fl_Multiline_Output* motionQueueDisplay;
extern Composer* composer;  // over figureView->skeleton
// The name the file chooser starts with: always empty.
extern char saveFileName[256];

// A motion button, its MotionEntry as user data: append the motion, then
// show the queue text and the raised maximum. The slider's value stays.
void motionCallback(Fl_Widget*, void* entry);

// "add noise": flips the switch for motions appended from now on.
void noiseCallback(Fl_Widget*, void*);
// "clear": empties the queue text, the frames and the timeline.
void clearCallback(Fl_Widget*, void*);
// File > Save File: asks for a path, then saveAnimation.
void saveCallback(Fl_Widget*, void*);
// Writes the frames on the timeline; a failure is shown with its reason.
void saveAnimation(const char* path);
// File > Export glTF: asks for a path, then exportAnimation.
void exportCallback(Fl_Widget*, void*);
// Writes the frames on the timeline as glTF, binary unless the name ends in
// ".gltf"; a name ending in neither ".glb" nor ".gltf" gets ".glb".
void exportAnimation(const char* path);
// File > Exit: ends the process at once, status 0.
void exitCallback(Fl_Widget*, void*);

}  // namespace kinemora
