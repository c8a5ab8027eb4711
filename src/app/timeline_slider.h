#pragma once

#include <FL/Fl_Value_Slider.H>

#include "app/figure_view.h"

namespace kinemora {

// The timeline: its value is the frame the view shows, in whole frames from
// 0 to the last frame stored. Every change while dragging repaints the view.
class TimelineSlider : public Fl_Value_Slider {
 public:
  TimelineSlider(FigureView* view, int initialMaximum, int x, int y, int w, int h);

  // The range for `frames` frames, 0..frames-1 (just 0 with none), with the
  // knob redrawn where it now belongs: the valuator's own maximum() leaves
  // the old knob on the screen.
  void setFrameCount(int frames);
};

// The slider's callback: shows the slider's frame in the view (the user
// data).
void timelineCallback(Fl_Widget* slider, void* view);

}  // namespace kinemora
