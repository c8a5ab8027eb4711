#include "motion/joint_motion.h"

namespace kinemora {

namespace {

float channel(Shape shape, float a, float b, float t, RandomStream& stream) {
  if (shape == Shape::None) return 0.0f;
  const double low = b;
  return static_cast<float>(low + shapeValue(shape, t, stream) * (static_cast<double>(a) - low));
}

}  // namespace

Vec3 poseAngles(const JointMotion& m, float t, RandomStream& stream) {
  Vec3 angles;
  angles.z = channel(m.shapeZ, m.extremeA.z, m.extremeB.z, t, stream);
  angles.x = channel(m.shapeX, m.extremeA.x, m.extremeB.x, t, stream);
  angles.y = channel(m.shapeY, m.extremeA.y, m.extremeB.y, t, stream);
  return angles;
}

bool drawsRandom(const JointMotion& m) {
  return m.shapeX == Shape::Random || m.shapeY == Shape::Random || m.shapeZ == Shape::Random;
}

}  // namespace kinemora
