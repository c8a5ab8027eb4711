#include "sessions.h"

namespace kinemora::bench {

int pressUntil(Composer& composer, int frames) {
  int presses = 0;
  while (composer.timelineMaximum() < frames) {
    composer.toggleNoise();
    for (const MotionEntry& entry : kMotions) {
      composer.press(entry.motion);
      ++presses;
    }
  }
  return presses;
}

double trackBytesUsed(const Skeleton& skeleton) {
  double bytes = 0;
  for (int j = 0; j < kJointCount; ++j) {
    const Joint& joint = skeleton.joint(j);
    bytes += joint.rotations.size() * sizeof(Quaternion) + joint.angles.size() * sizeof(Vec3);
  }
  return bytes;
}

}  // namespace kinemora::bench
