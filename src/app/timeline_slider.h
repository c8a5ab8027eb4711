#pragma once

#include <FL/Fl_Value_Slider.H>

namespace kinemora {

// The timeline: its value is the frame the view shows, in whole frames from
// 0 to the last frame stored. Its callback runs at every change while
// dragging (and as Play moves it), so the view follows the knob.
class TimelineSlider : public Fl_Value_Slider {
 public:
  TimelineSlider(int initialMaximum, int x, int y, int w, int h);

  // The range for `frames` frames, 0..frames-1 (just 0 with none), with the
  // knob redrawn where it now belongs: the valuator's own maximum() leaves
  // the old knob on the screen.
  void setFrameCount(int frames);

  // The track, right of the box that shows the value.
  int trackX() const { return x() + kValueBoxW; }
  int trackW() const { return w() - kValueBoxW; }
  // How far the knob's centre stands from the track's edges at the first
  // and the last frame: the box's border and half the knob.
  double frameInset() const;

  // Arrows move the knob; with Ctrl or Alt held they are left to the menus'
  // shortcuts (Alt+Left moves a clip).
  int handle(int event) override;

 private:
  static constexpr int kValueBoxW = 35;  // Fl_Value_Slider's, when horizontal
};

}  // namespace kinemora
