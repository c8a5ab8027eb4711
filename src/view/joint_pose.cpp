#include "view/joint_pose.h"

#include <algorithm>
#include <cmath>

#include "math/angles.h"

namespace kinemora {

std::size_t shownFrameIndex(float frame, std::size_t count) {
  if (!(frame >= 1.0f)) return 0;  // also negative and NaN positions
  if (frame >= static_cast<float>(count)) return count - 1;
  return static_cast<std::size_t>(frame);
}

Pose shownPose(const FrameStore& frames, float frame) {
  if (frames.empty()) return Pose();
  const std::size_t count = static_cast<std::size_t>(frames.count());
  return frames[static_cast<int>(shownFrameIndex(frame, count))];
}

AxisAngle glRotationOf(const Quaternion& q) {
  const double a = std::acos(std::clamp(static_cast<double>(q.w), -1.0, 1.0));
  const float s = static_cast<float>(std::sin(a));
  const float k = std::fabs(s) >= 0.0001f ? s : 1.0f;
  return {static_cast<float>(radiansToDegrees(2.0 * a)), q.x / k, q.y / k, q.z / k};
}

}  // namespace kinemora
