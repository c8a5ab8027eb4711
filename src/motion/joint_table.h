#pragma once

#include "math/vec3.h"

namespace kinemora {

// The figure's joint table: names, rest offsets and the tree. It sits with
// the motions, below the figure, because every motion row names a joint; the
// Skeleton is built from it.

// The 20 joints in joint-index order: the order of Skeleton::joints and of
// every motion's records.
enum JointIndex : int {
  kRoot, kWaist, kNeck, kNod, kRchest, kLchest, kRshoulder, kLshoulder,
  kRelbow, kLelbow, kRwrist, kLwrist, kRpelvis, kLpelvis, kRhip, kLhip,
  kRknee, kLknee, kRankle, kLankle,
  kJointCount
};

struct JointLayout {
  const char* name;  // the literal a Joint keeps; the root is known by it
  Vec3 offset;       // from the parent, in figure units (the BVH OFFSET)
};

extern const JointLayout kFigureJoints[kJointCount];

// Parent-child pairs in the order they are linked; that order fixes every
// joint's child order, hence the drawing and the BVH joint order.
struct JointLink {
  JointIndex parent;
  JointIndex child;
};

constexpr int kLinkCount = kJointCount - 1;
extern const JointLink kFigureLinks[kLinkCount];

}  // namespace kinemora
