// A long, rough session in one Composer: ten thousand random presses mixed
// with noise toggles and clears. Every stored rotation and the channels a
// file gets from it must stay finite, and the timeline must hold every frame
// stored since the last clear.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>

#include "compose/composer.h"
#include "figure/motion_tracks.h"
#include "sanitized_build.h"

namespace kinemora {
namespace {

bool isPunch(Motion m) { return m == Motion::PunchR || m == Motion::PunchL; }

// The rule for a transition, kept apart from the Composer's own: none when
// the motion repeats the last one pressed (any punch after a punch), and
// the last one pressed outlives "clear".
bool needsTransition(Motion motion, std::optional<Motion> last) {
  if (!last) return true;
  if (*last == motion) return false;
  return !(isPunch(motion) && isPunch(*last));
}

bool finite(const Quaternion& q) {
  return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
}
bool finite(const Vec3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

class LongSession : public ::testing::Test {
 protected:
  // The frames from `checked` on are finite, and so are their channels.
  void expectFramesFinite(int checked) {
    for (int f = checked; f < composer.frameCount(); ++f) {
      for (const Quaternion& q : composer.frames()[f].rotations) {
        ASSERT_TRUE(finite(q)) << "frame " << f;
        ASSERT_TRUE(finite(channelAngles(q))) << "frame " << f;
      }
    }
  }

  Composer composer;
};

TEST_F(LongSession, TenThousandRandomPressesKeepEveryFrameFinite) {
  const int presses = kSanitizedBuild ? 600 : 10000;
  std::mt19937_64 random(4242);
  std::optional<Motion> last;
  int frames = 0;  // since the last clear
  for (int pressed = 0; pressed < presses;) {
    const int checked = frames;  // older frames were checked in earlier steps
    const std::uint64_t roll = random() % 100;
    if (roll < 3) {  // clear now and then, which also keeps memory small
      composer.clear();
      frames = 0;
    } else if (roll < 12) {
      composer.toggleNoise();
    } else {
      const Motion motion = static_cast<Motion>(random() % kMotionCount);
      const bool transition = needsTransition(motion, last);
      composer.press(motion);
      frames += motionEntry(motion).frames + (transition ? kTransitionFrames : 0);
      last = motion;
      ++pressed;
    }
    ASSERT_EQ(composer.frameCount(), frames) << "after press " << pressed;
    expectFramesFinite(std::min(checked, frames));
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace kinemora
