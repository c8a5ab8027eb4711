#include "sessions.h"

#include <ctime>

namespace kinemora::bench {

int pressUntil(Composer& composer, int frames) {
  int presses = 0;
  while (composer.frameCount() < frames) {
    composer.toggleNoise();
    for (const MotionEntry& entry : kMotions) {
      composer.press(entry.motion);
      ++presses;
    }
  }
  return presses;
}

double threadSeconds() {
  timespec now;
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double frameBytesUsed(const FrameStore& frames) {
  return static_cast<double>(frames.count()) * sizeof(Pose);
}

}  // namespace kinemora::bench
