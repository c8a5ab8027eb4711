#include "app/playback.h"

#include <chrono>
#include <climits>
#include <utility>

namespace kinemora {

namespace {

// Truncation toward zero, without the undefined conversion of values that
// do not fit an int.
int truncateFrame(double v) {
  if (!(v > static_cast<double>(INT_MIN) && v < static_cast<double>(INT_MAX))) return 0;
  return static_cast<int>(v);
}

}  // namespace

std::int64_t monotonicMilliseconds() {
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point start = Clock::now();
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

int nextFrame(double value, double maximum) {
  const int next = truncateFrame(value) + 1;
  return next >= truncateFrame(maximum) ? 0 : next;
}

Playback::Playback(MillisecondClock clock) : clock_(std::move(clock)) {}

std::optional<int> Playback::step(bool lightOn, double value, double maximum) {
  if (!lightOn) return std::nullopt;
  if (clock_() - lastAdvance_ < kPeriodMs) return std::nullopt;
  lastAdvance_ = clock_();
  return nextFrame(value, maximum);
}

std::int64_t Playback::millisecondsUntilDue() const {
  const std::int64_t left = lastAdvance_ + kPeriodMs - clock_();
  return left > 0 ? left : 0;
}

}  // namespace kinemora
