#include "app/clip_strip.h"

#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

#include "motion/motions.h"

namespace kinemora {

namespace {

// Narrower blocks join the band: no room for a border and a fill.
constexpr int kBlockMinW = 4;
// A press that moves this far before its release is a drag.
constexpr int kDragStart = 4;
// Space between the strip's box and the blocks, where the focus box goes.
constexpr int kMargin = 4;
constexpr int kNoiseH = 7;     // the hatched band at a block's foot
constexpr int kPlayheadH = 4;  // the red bar at its head

const Fl_Color kTrough = fl_rgb_color(90, 90, 96);
const Fl_Color kBlock = fl_rgb_color(204, 218, 236);
const Fl_Color kBand = fl_rgb_color(158, 178, 204);
const Fl_Color kNoise = fl_rgb_color(240, 130, 0);
const Fl_Color kDrop = fl_rgb_color(255, 210, 0);

// How a pixel column of the band looks: bits of these.
constexpr unsigned kSelectedLook = 1, kNoiseLook = 2;

// The first index in [0, n) for which `after` holds, or n; `after` holds
// from some index on.
template <typename Predicate>
int firstWhere(int n, Predicate after) {
  int low = 0, high = n;
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (after(mid)) {
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  return low;
}

// Clips too thin to draw alone. Each pixel column they touch looks like all
// of them at once (selected if any is, noise if any has it), and a run of
// columns that look alike is drawn as one rectangle.
class Band {
 public:
  Band(int top, int height, Fl_Color selection)
      : top_(top), height_(height), selection_(selection) {}
  ~Band() { finish(); }

  // A clip over columns [x0, x1).
  void add(int x0, int x1, unsigned look) {
    for (int x = x0; x < x1; ++x) {
      if (x == column_) {
        columnLook_ |= look;
        continue;
      }
      endColumn();
      column_ = x;
      columnLook_ = look;
    }
  }
  // Before a block is drawn, and at the end.
  void finish() {
    endColumn();
    drawRun();
    runX1_ = runX0_;
    column_ = kNone;
  }

 private:
  static constexpr int kNone = -1000000;

  void endColumn() {
    if (column_ == kNone) return;
    if (column_ == runX1_ && columnLook_ == runLook_) {
      ++runX1_;
      return;
    }
    drawRun();
    runX0_ = column_;
    runX1_ = column_ + 1;
    runLook_ = columnLook_;
  }
  void drawRun() const {
    if (runX1_ <= runX0_) return;
    const int w = runX1_ - runX0_;
    fl_rectf(runX0_, top_, w, height_, runLook_ & kSelectedLook ? selection_ : kBand);
    if (runLook_ & kNoiseLook) fl_rectf(runX0_, top_ + height_ - kNoiseH, w, kNoiseH, kNoise);
  }

  const int top_, height_;
  const Fl_Color selection_;
  int column_ = kNone;
  unsigned columnLook_ = 0;
  int runX0_ = 0, runX1_ = 0;
  unsigned runLook_ = 0;
};

// Slanted strokes over the box, which they do not leave.
void drawHatch(int x, int y, int w, int h) {
  fl_push_clip(x, y, w, h);
  fl_color(kNoise);
  fl_line_style(FL_SOLID, 2);
  for (int hx = x - h; hx < x + w; hx += 5) fl_line(hx, y + h - 1, hx + h - 1, y);
  fl_line_style(0);
  fl_pop_clip();
}

}  // namespace

ClipStrip::ClipStrip(int x, int y, int w, int h, double frameInset)
    : Fl_Widget(x, y, w, h), frameInset_(frameInset) {
  box(FL_DOWN_BOX);
  color(kTrough);
  selection_color(FL_SELECTION_COLOR);
}

void ClipStrip::setClips(const std::vector<Clip>& clips) {
  clips_ = clips;
  frameCount_ = clips.empty() ? 0 : clips.back().firstFrame + clips.back().frames;
  playheadClip_ = clipOfFrame(frame_);
  tipClip_ = -1;
  redraw();
}

void ClipStrip::setSelection(ClipRange range, int cursor) {
  if (range == selected_ && cursor == cursor_) return;
  selected_ = range;
  cursor_ = cursor;
  redraw();
}

void ClipStrip::setFrame(double frame) {
  frame_ = frame;
  const int clip = clipOfFrame(frame);
  if (clip == playheadClip_) return;
  playheadClip_ = clip;
  redraw();
}

// The frames span the strip as the knob's centre spans the timeline: frame
// 0 at frameInset_ from the left, the last frame as far from the right.
double ClipStrip::pixelsPerFrame() const {
  const double span = w() - 2 * frameInset_;
  return frameCount_ > 1 ? span / (frameCount_ - 1) : span;
}

double ClipStrip::edgeX(double frame) const {
  return x() + frameInset_ + (frame - 0.5) * pixelsPerFrame();
}

ClipStrip::Span ClipStrip::spanOf(int clip) const {
  const Clip& c = clips_[clip];
  return {static_cast<int>(std::floor(edgeX(c.firstFrame))),
          static_cast<int>(std::floor(edgeX(c.firstFrame + c.frames)))};
}

int ClipStrip::clipAt(int x) const {
  const int n = static_cast<int>(clips_.size());
  const int clip = firstWhere(n, [&](int i) { return spanOf(i).x0 > x; }) - 1;
  if (clip < 0) return -1;
  const Span span = spanOf(clip);
  return x < std::max(span.x1, span.x0 + 1) ? clip : -1;
}

int ClipStrip::clipOfFrame(double frame) const {
  const int n = static_cast<int>(clips_.size());
  const int clip = firstWhere(n, [&](int i) { return clips_[i].firstFrame > frame; }) - 1;
  return clip >= 0 && frame < frameCount_ ? clip : -1;
}

int ClipStrip::edgeNear(int x) const {
  const int clip = clipAt(x);
  if (clip < 0) return x < edgeX(0) ? 0 : static_cast<int>(clips_.size());
  const Span span = spanOf(clip);
  return x - span.x0 < span.x1 - x ? clip : clip + 1;
}

void ClipStrip::draw() {
  draw_box();
  int left, top, width, height;
  fl_clip_box(x() + Fl::box_dx(box()), y() + Fl::box_dy(box()), w() - Fl::box_dw(box()),
              h() - Fl::box_dh(box()), left, top, width, height);
  fl_push_clip(left, top, width, height);
  drawClips(left, left + width);
  drawPlayhead();
  drawDropMark();
  drawFocus();
  fl_pop_clip();
}

// Only the clips in columns [left, right), the part to draw again.
void ClipStrip::drawClips(int left, int right) const {
  if (clips_.empty() || left >= spanOf(static_cast<int>(clips_.size()) - 1).x1) return;
  const int top = y() + kMargin, height = h() - 2 * kMargin;
  Band band(top, height, selection_color());
  for (int i = std::max(clipAt(left), 0); i < static_cast<int>(clips_.size()); ++i) {
    const Span span = spanOf(i);
    if (span.x0 >= right) break;
    if (span.x1 - span.x0 >= kBlockMinW) {
      band.finish();
      drawBlock(i, span);
      continue;
    }
    const unsigned look =
        (selected(i) ? kSelectedLook : 0) | (clips_[i].word.noise ? kNoiseLook : 0);
    band.add(span.x0, std::max(span.x1, span.x0 + 1), look);
  }
}

void ClipStrip::drawBlock(int clip, Span span) const {
  const Clip& c = clips_[clip];
  const bool on = selected(clip);
  const int top = y() + kMargin, height = h() - 2 * kMargin;
  const int w = span.x1 - span.x0 + 1;  // its right border is the next block's left
  fl_draw_box(FL_BORDER_BOX, span.x0, top, w, height, on ? selection_color() : kBlock);
  if (c.word.noise) drawHatch(span.x0 + 1, top + height - kNoiseH, w - 2, kNoiseH - 1);
  const char* label = motionEntry(c.word.motion).label;
  fl_font(FL_HELVETICA, 11);
  if (fl_width(label) + 4 > w) return;  // the tooltip names it
  fl_color(on ? FL_WHITE : FL_BLACK);
  fl_draw(label, span.x0, top, w, height - kNoiseH, FL_ALIGN_CENTER);
}

void ClipStrip::drawPlayhead() const {
  if (playheadClip_ < 0) return;
  const Span span = spanOf(playheadClip_);
  fl_rectf(span.x0, y() + kMargin, std::max(span.x1 - span.x0 + 1, 3), kPlayheadH, FL_RED);
}

// Where the dragged clips will land, when they move at all.
void ClipStrip::drawDropMark() const {
  if (!dragging_ || (dropEdge_ >= selected_.first && dropEdge_ <= selected_.last + 1)) return;
  const int n = static_cast<int>(clips_.size());
  const int x = dropEdge_ < n ? spanOf(dropEdge_).x0 : spanOf(n - 1).x1;
  const int top = y() + kMargin - 2, height = h() - 2 * kMargin + 4;
  fl_rectf(x - 2, top, 5, height, FL_BLACK);
  fl_rectf(x - 1, top, 3, height, kDrop);
}

void ClipStrip::drawFocus() const {
  if (Fl::focus() != this || !Fl::visible_focus()) return;
  fl_color(fl_contrast(FL_BLACK, color()));
  fl_line_style(FL_DOT);
  fl_rect(x() + 2, y() + 2, w() - 4, h() - 4);
  fl_line_style(0);
}

int ClipStrip::handle(int event) {
  switch (event) {
    case FL_FOCUS:
    case FL_UNFOCUS:
      redraw();  // the focus box
      return 1;
    case FL_ENTER:  // and then FL_MOVE
    case FL_MOVE:
      showTooltip();
      return 1;
    case FL_LEAVE:
      tipClip_ = -1;
      return 1;
    case FL_KEYBOARD:
      return handleKey();
    case FL_PUSH:
      return handlePush();
    case FL_DRAG:
      return handleDrag();
    case FL_RELEASE:
      return handleRelease();
    default:
      return Fl_Widget::handle(event);
  }
}

// Arrows, Home and End select (extend with Shift), Escape deselects. The
// rest goes on: Delete and Alt+arrows are the Edit menu's, w/a/s/d the
// view's, Tab moves the focus.
int ClipStrip::handleKey() {
  if (Fl::event_state(FL_CTRL | FL_ALT | FL_META)) return 0;
  const int key = Fl::event_key();
  if (key == FL_Escape) {
    ask(Ask::Deselect, -1);
    return 1;
  }
  const int last = static_cast<int>(clips_.size()) - 1;
  int clip;
  switch (key) {
    case FL_Left: clip = cursor_ < 0 ? last : cursor_ - 1; break;
    case FL_Right: clip = cursor_ < 0 ? 0 : cursor_ + 1; break;
    case FL_Home: clip = 0; break;
    case FL_End: clip = last; break;
    default: return 0;
  }
  if (last < 0) return 1;
  ask(Fl::event_state(FL_SHIFT) ? Ask::Extend : Ask::Select, std::clamp(clip, 0, last));
  return 1;
}

int ClipStrip::handlePush() {
  if (Fl::event_button() != FL_LEFT_MOUSE) return 0;
  take_focus();
  pressX_ = Fl::event_x();
  pressedClip_ = clipAt(pressX_);
  dragging_ = false;
  selectOnRelease_ = false;
  if (pressedClip_ < 0) {
    ask(Ask::Deselect, -1);
  } else if (Fl::event_state(FL_SHIFT)) {
    ask(Ask::Extend, pressedClip_);
  } else if (selected(pressedClip_)) {
    selectOnRelease_ = true;  // unless the selection is dragged
  } else {
    ask(Ask::Select, pressedClip_);
  }
  return 1;
}

int ClipStrip::handleDrag() {
  if (pressedClip_ < 0 || !selected(pressedClip_)) return 1;
  if (!dragging_ && std::abs(Fl::event_x() - pressX_) < kDragStart) return 1;
  dragging_ = true;
  dropEdge_ = edgeNear(Fl::event_x());
  redraw();
  return 1;
}

int ClipStrip::handleRelease() {
  if (dragging_) {
    dragging_ = false;
    redraw();
    if (dropEdge_ < selected_.first || dropEdge_ > selected_.last + 1) ask(Ask::MoveTo, dropEdge_);
  } else if (selectOnRelease_) {
    ask(Ask::Select, pressedClip_);
  }
  pressedClip_ = -1;
  return 1;
}

// FLTK's tooltips are one per widget: this one names the clip under the
// pointer, over that clip's columns.
void ClipStrip::showTooltip() {
  const int clip = clipAt(Fl::event_x());
  if (clip == tipClip_) return;
  tipClip_ = clip;
  if (clip < 0) {
    Fl_Tooltip::enter_area(this, 0, 0, 0, 0, nullptr);
    return;
  }
  const Clip& c = clips_[clip];
  tip_ = "clip " + std::to_string(clip + 1) + " of " + std::to_string(clips_.size()) + ": " +
         motionEntry(c.word.motion).label + ", " + std::to_string(c.frames) + " frames" +
         (c.word.noise ? ", with noise" : "");
  const Span span = spanOf(clip);
  Fl_Tooltip::enter_area(this, span.x0 - x(), 0, std::max(span.x1 - span.x0, 1), h(),
                         tip_.c_str());
}

void ClipStrip::ask(Ask what, int clip) {
  asked_ = what;
  askedClip_ = clip;
  do_callback();
}

}  // namespace kinemora
