#pragma once

#include "figure/frame_store.h"
#include "figure/skeleton.h"
#include "math/quaternion.h"
#include "math/vec3.h"
#include "motion/motions.h"
#include "motion/randomness.h"

namespace kinemora {

// Building stored frames from a motion's records. Every walk over the joints
// goes in pre-order (kPreOrder), drawing from the composition's randomness
// as it goes: the random shape's values and, on first use, the noise
// tables. With `noise` on, every joint but the root gets its jitter.

// Frames at frame times 0..count-1 of the motion. count <= 0: none.
void appendFrames(Skeleton& skeleton, const MotionRecords& records, int count, bool noise,
                  Randomness& random);
// `count` frames blending from the last stored frame (the identity when
// there is none) towards the motion's pose at a frame time equal to the
// frames already stored. count <= 0: none.
void appendTransition(Skeleton& skeleton, const MotionRecords& records, int count, bool noise,
                      Randomness& random);

// One frame of the motion at frame time t, into `pose`.
void poseFrame(const Skeleton& skeleton, const MotionRecords& records, int t, bool noise,
               Randomness& random, Pose& pose);

// The rotation of pose angles (degrees): Z acts first, then X, then Y, each
// built by the axis-angle constructor (so by the negated angle).
Quaternion poseRotation(const Vec3& poseDegrees);

// The BVH channels (degrees) whose "Zrotation Xrotation Yrotation" product
// Rz(z) * Rx(x) * Ry(y) is the rotation q.
Vec3 channelAngles(const Quaternion& q);

}  // namespace kinemora
