#pragma once

#include <array>

#include "math/vec3.h"

namespace kinemora {

// The figure's joint table: names, parents and rest offsets, as flat arrays
// in joint-index order. It sits with the motions, below the figure, because
// every motion row names a joint. A parent always comes before its children,
// and children follow their parent in index order.

// The 20 joints in joint-index order: the order of every per-joint array
// (a stored frame's rotations, a motion's records).
enum JointIndex : int {
  kRoot, kWaist, kNeck, kNod, kRchest, kLchest, kRshoulder, kLshoulder,
  kRelbow, kLelbow, kRwrist, kLwrist, kRpelvis, kLpelvis, kRhip, kLhip,
  kRknee, kLknee, kRankle, kLankle,
  kJointCount
};

constexpr int kNoParent = -1;

struct JointLayout {
  const char* name;
  int parent;   // a JointIndex, kNoParent for the root
  Vec3 offset;  // from the parent, in figure units; the root's is where it stands
};

extern const JointLayout kFigureJoints[kJointCount];

// The joints depth first from the root, children in index order: the order
// of the BVH hierarchy and of every walk that draws from the random stream.
extern const std::array<JointIndex, kJointCount> kPreOrder;

// Whether a joint has no children: it ends in a leaf (a ball, an end site).
bool isLeaf(int joint);

// Where each joint stands with every rotation the identity, in the world.
std::array<Vec3, kJointCount> restPositions();

}  // namespace kinemora
