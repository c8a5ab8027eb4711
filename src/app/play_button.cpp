#include "app/play_button.h"

#include <FL/Fl.H>

#include <utility>

namespace kinemora {

PlayButton::PlayButton(TimelineSlider* timeline_, int x, int y, int w, int h,
                       MillisecondClock clock)
    : Fl_Light_Button(x, y, w, h, "Play"), timeline(timeline_), playback_(std::move(clock)) {
  callback(switched);
}

PlayButton::~PlayButton() { Fl::remove_timeout(tick, this); }

void PlayButton::switched(Fl_Widget* widget, void*) {
  auto* button = static_cast<PlayButton*>(widget);
  Fl::remove_timeout(tick, button);
  // Continues from the current frame, as soon as 34 ms have passed since
  // the last advance.
  if (button->value()) button->scheduleNextStep();
}

void PlayButton::tick(void* button) { static_cast<PlayButton*>(button)->advance(); }

void PlayButton::advance() {
  if (!value()) return;  // switched off: the timer ends here
  if (const std::optional<int> next =
          playback_.step(value() != 0, timeline->value(), timeline->maximum())) {
    timeline->value(*next);
    timeline->do_callback();
    // Paint now: FLTK 1.3 works out how long to sleep before it paints, so
    // a paint left to the event loop would lengthen every period by its
    // own duration.
    Fl::flush();
  }
  scheduleNextStep();
}

void PlayButton::scheduleNextStep() {
  // Timed from now by the clock, not from the last deadline, so a check that
  // fires a little early only waits for the rest of the period.
  Fl::add_timeout(static_cast<double>(playback_.millisecondsUntilDue()) / 1000.0, tick, this);
}

}  // namespace kinemora
