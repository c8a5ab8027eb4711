#include "app/playback.h"

#include <chrono>
#include <climits>
#include <utility>

namespace kinemora {

namespace {

// Set while the program loads, so that readings count from its start, as
// the time of the last advance (0 at first) assumes.
const std::chrono::steady_clock::time_point kProgramStart = std::chrono::steady_clock::now();

// Truncation toward zero, without the undefined conversion of values that
// do not fit an int.
int truncateFrame(double v) {
  if (!(v > static_cast<double>(INT_MIN) && v < static_cast<double>(INT_MAX))) return 0;
  return static_cast<int>(v);
}

}  // namespace

std::int64_t monotonicMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now() - kProgramStart).count();
}

int nextFrame(double value, double lastFrame) {
  const int next = truncateFrame(value) + 1;
  return next > truncateFrame(lastFrame) ? 0 : next;
}

Playback::Playback(MillisecondClock clock) : clock_(std::move(clock)) {}

std::optional<int> Playback::step(bool lightOn, double value, double lastFrame) {
  if (!lightOn) return std::nullopt;
  if (clock_() - lastAdvance_ < kPeriodMs) return std::nullopt;
  lastAdvance_ = clock_();
  return nextFrame(value, lastFrame);
}

std::int64_t Playback::millisecondsUntilDue() const {
  const std::int64_t left = lastAdvance_ + kPeriodMs - clock_();
  return left > 0 ? left : 0;
}

}  // namespace kinemora
