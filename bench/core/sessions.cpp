#include "sessions.h"

namespace kinemora::bench {

int pressUntil(Composer& composer, int frames) {
  int presses = 0;
  while (composer.timelineMaximum() < frames) {
    composer.toggleNoise();
    for (const MotionButton& button : kMotionButtons) {
      composer.press(button.motion);
      ++presses;
    }
  }
  return presses;
}

TrackBytes trackBytes(const Skeleton& skeleton) {
  TrackBytes bytes;
  for (int j = 0; j < kJointCount; ++j) {
    const Joint& joint = skeleton.joint(j);
    bytes.reserved += joint.rotations.capacity() * sizeof(Quaternion) +
                      joint.angles.capacity() * sizeof(Vec3);
    bytes.used += joint.rotations.size() * sizeof(Quaternion) + joint.angles.size() * sizeof(Vec3);
  }
  return bytes;
}

}  // namespace kinemora::bench
