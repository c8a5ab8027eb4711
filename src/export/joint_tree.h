#pragma once

#include <array>
#include <vector>

#include "figure/skeleton.h"

namespace kinemora {

// The skeleton's tree by joint index (the order of Skeleton::joints), as
// file formats that number their joints want it.
struct JointTree {
  std::array<int, kJointCount> parent;                // -1 for the root
  std::array<std::vector<int>, kJointCount> children;  // in the skeleton's child order
  std::array<Vec3, kJointCount> restPosition;          // in the world, every rotation the identity
};

JointTree jointTree(const Skeleton& skeleton);

}  // namespace kinemora
