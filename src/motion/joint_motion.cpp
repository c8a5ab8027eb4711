#include "motion/joint_motion.h"

namespace kinemora {

namespace {

float channel(ShapeFunction shape, float a, float b, float t) {
  if (!shape) return 0.0f;
  const double low = b;
  return static_cast<float>(low + shape(t) * (static_cast<double>(a) - low));
}

}  // namespace

Vec3 poseAngles(const JointMotion& m, float t) {
  Vec3 angles;
  angles.z = channel(m.shapeZ, m.extremeA.z, m.extremeB.z, t);
  angles.x = channel(m.shapeX, m.extremeA.x, m.extremeB.x, t);
  angles.y = channel(m.shapeY, m.extremeA.y, m.extremeB.y, t);
  return angles;
}

}  // namespace kinemora
