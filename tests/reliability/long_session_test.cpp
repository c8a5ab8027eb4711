// A long, rough session in one Composer: ten thousand random presses mixed
// with noise toggles and clears. The tracks must stay in step and finite,
// and the timeline must hold every frame stored since the last clear.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>

#include "compose/composer.h"
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
  // Every joint's two tracks hold `frames` entries; those from `checked`
  // on are finite.
  void expectTracksInStep(int frames, int checked) {
    for (int j = 0; j < kJointCount; ++j) {
      const Joint& joint = skeleton.joint(j);
      ASSERT_EQ(static_cast<int>(joint.rotations.size()), frames) << joint.name;
      ASSERT_EQ(static_cast<int>(joint.angles.size()), frames) << joint.name;
      for (int f = checked; f < frames; ++f) {
        ASSERT_TRUE(finite(joint.rotations[f])) << joint.name << " frame " << f;
        ASSERT_TRUE(finite(joint.angles[f])) << joint.name << " frame " << f;
      }
    }
  }

  Skeleton skeleton;
  Composer composer{skeleton};
};

TEST_F(LongSession, TenThousandRandomPressesKeepTheTracksInStep) {
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
    ASSERT_EQ(skeleton.frameCount(), frames) << "after press " << pressed;
    ASSERT_EQ(composer.frameCount(), frames) << "after press " << pressed;
    expectTracksInStep(frames, std::min(checked, frames));
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace kinemora
