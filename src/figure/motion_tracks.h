#pragma once

#include "figure/joint.h"
#include "math/quaternion.h"
#include "math/vec3.h"

namespace kinemora {

// Building stored frames from the motion laid on each joint. Both append to
// `joint` first, then to its subtree in child order; with `noise` on, every
// joint but the root gets its jitter.

// One frame of the motion laid, at frame time `frameTime`.
void appendFrame(Joint& joint, int frameTime, bool noise);
// `count` frames blending from the last stored rotation (the identity when
// there is none) towards the motion's pose at a frame time equal to the
// frames already stored; count <= 0: none.
void appendTransition(Joint& joint, int count, bool noise);

// The rotation of pose angles (degrees): Z acts first, then X, then Y, each
// built by the axis-angle constructor (so by the negated angle).
Quaternion poseRotation(const Vec3& poseDegrees);

// The BVH channels (degrees) whose "Zrotation Xrotation Yrotation" product
// Rz(z) * Rx(x) * Ry(y) is the rotation q.
Vec3 channelAngles(const Quaternion& q);

}  // namespace kinemora
