#pragma once

#include <FL/Fl_Widget.H>

#include <string>
#include <vector>

#include "compose/clip_edits.h"
#include "compose/clips.h"

namespace kinemora {

// The clips on a strip under the timeline: one block per clip, as wide as
// the frames it makes, so that it stands under the slider's knob while the
// knob shows its frames. A block shows its motion when the label fits (its
// tooltip always), a hatched band when its frames carry noise, the selection
// filled, and a red bar on the clip under the playhead. Blocks thinner than a
// few pixels merge into a band, so a thousand clips draw as fast as ten.
//
// It shows what it is told (setClips, setSelection, setFrame) and owns none
// of it. What a user asks of it (a click, a key, a drag) is left in asked()
// and askedClip() for its callback.
class ClipStrip : public Fl_Widget {
 public:
  enum class Ask {
    Select,    // just askedClip(): a click, an arrow key, Home, End
    Extend,    // the selection to askedClip(): with Shift held
    Deselect,  // Escape, a click past the last clip
    MoveTo,    // the selection dragged to begin where askedClip() is now
  };

  // `frameInset`: where the first and the last frame stand from the
  // strip's edges, in pixels, as the knob's centre does on the timeline.
  ClipStrip(int x, int y, int w, int h, double frameInset);

  void setClips(const std::vector<Clip>& clips);
  // The selected range, and its end that arrow keys move from.
  void setSelection(ClipRange range, int cursor);
  // The playhead: the frame the timeline shows.
  void setFrame(double frame);

  Ask asked() const { return asked_; }
  int askedClip() const { return askedClip_; }

  void draw() override;
  int handle(int event) override;

 private:
  struct Span {
    int x0, x1;  // pixel columns [x0, x1)
  };

  double pixelsPerFrame() const;
  // The x of the edge before frame `frame`.
  double edgeX(double frame) const;
  Span spanOf(int clip) const;
  // The clip under x, or -1.
  int clipAt(int x) const;
  // The clip whose first frame holds `frame`, or -1.
  int clipOfFrame(double frame) const;
  // The edge between clips nearest x: 0..clip count.
  int edgeNear(int x) const;
  bool selected(int clip) const { return clip >= selected_.first && clip <= selected_.last; }

  void drawClips(int left, int right) const;
  void drawBlock(int clip, Span span) const;
  void drawPlayhead() const;
  void drawDropMark() const;
  void drawFocus() const;

  int handleKey();
  int handlePush();
  int handleDrag();
  int handleRelease();
  void showTooltip();
  void ask(Ask what, int clip);

  const double frameInset_;
  std::vector<Clip> clips_;
  int frameCount_ = 0;
  ClipRange selected_;
  int cursor_ = -1;
  double frame_ = 0;
  int playheadClip_ = -1;

  Ask asked_ = Ask::Deselect;
  int askedClip_ = -1;

  // A press, and the drag that may follow it.
  int pressX_ = 0;
  int pressedClip_ = -1;
  bool selectOnRelease_ = false;  // pressed inside the selection: it may be dragged
  bool dragging_ = false;
  int dropEdge_ = -1;

  int tipClip_ = -1;
  std::string tip_;
};

}  // namespace kinemora
