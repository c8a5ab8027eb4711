#pragma once

#include <FL/Fl_Light_Button.H>

#include "app/playback.h"
#include "app/timeline_slider.h"

namespace kinemora {

// "Play": while its light is on, the timeline steps forward one frame per
// 34 ms and starts again at 0 at the end. A timer runs only while the light
// is on, so the program sleeps between steps and when not playing.
class PlayButton : public Fl_Light_Button {
 public:
  PlayButton(TimelineSlider* timeline, int x, int y, int w, int h,
             MillisecondClock clock = monotonicMilliseconds);
  ~PlayButton() override;

  TimelineSlider* timeline;

 private:
  // The button's own callback: the light went on or off.
  static void switched(Fl_Widget* button, void*);
  static void tick(void* button);
  // The play step, then the next check for when the next advance is due.
  void advance();
  void scheduleNextStep();

  Playback playback_;
};

}  // namespace kinemora
