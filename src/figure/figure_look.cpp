#include "figure/figure_look.h"

#include "motion/joint_table.h"

namespace kinemora {

BonePlacement bonePlacement(const Vec3& offset) {
  const double length = offset.length();
  const float turn = offset.x > 0.0f ? 90.0f : offset.x < 0.0f ? -90.0f : 0.0f;
  return {Vec3(0.5f * offset.x, 0.5f * offset.y, 0.5f * offset.z), turn,
          kBoneThickness * length, length};
}

bool hasBone(int joint) {
  return joint != kRoot && !(kFigureJoints[joint].offset == Vec3());
}

}  // namespace kinemora
