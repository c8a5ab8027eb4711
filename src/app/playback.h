#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace kinemora {

// Readings of a monotonic clock in milliseconds; only differences count.
using MillisecondClock = std::function<std::int64_t()>;

// Milliseconds of the steady clock since the program started.
std::int64_t monotonicMilliseconds();

// The frame after `value` on a timeline whose last frame is `lastFrame`:
// the value truncated plus one, or 0 once that passes the truncated last
// frame. So playback cycles through every frame, 0..lastFrame.
int nextFrame(double value, double lastFrame);

// The pace of "Play": one advance per 34 ms of the clock, at most.
class Playback {
 public:
  static constexpr std::int64_t kPeriodMs = 34;

  explicit Playback(MillisecondClock clock = monotonicMilliseconds);

  // One play step. With the light off, nothing. Otherwise, once 34 ms have
  // passed since the last advance, records the time of this one and
  // returns the frame to show; before that, nothing.
  std::optional<int> step(bool lightOn, double value, double lastFrame);

  // Milliseconds until the next advance is due; 0 when it is due already.
  std::int64_t millisecondsUntilDue() const;

 private:
  MillisecondClock clock_;
  std::int64_t lastAdvance_ = 0;
};

}  // namespace kinemora
