#include "app/timeline_slider.h"

#include <FL/Fl.H>

namespace kinemora {

TimelineSlider::TimelineSlider(int initialMaximum, int x, int y, int w, int h)
    : Fl_Value_Slider(x, y, w, h) {
  value(0);
  minimum(0);
  maximum(initialMaximum);
  step(1);  // whole frames
  type(FL_HOR_NICE_SLIDER);
  when(FL_WHEN_CHANGED);
}

void TimelineSlider::setFrameCount(int frames) {
  const int last = frames > 0 ? frames - 1 : 0;
  if (maximum() == last) return;
  maximum(last);
  redraw();
}

double TimelineSlider::frameInset() const {
  // Fl_Slider's rule for a nice knob of slider_size() 0: half the height
  // inside the box, and 5.
  const int knob = (h() - Fl::box_dh(box())) / 2 + 5;
  return Fl::box_dx(box()) + knob / 2.0;
}

int TimelineSlider::handle(int event) {
  if (event == FL_KEYBOARD && Fl::event_state(FL_CTRL | FL_ALT | FL_META)) return 0;
  return Fl_Value_Slider::handle(event);
}


}  // namespace kinemora
