#pragma once

#include <cstddef>

#include "figure/frame_store.h"
#include "math/quaternion.h"

namespace kinemora {

// The stored frame that a timeline position shows: the position truncated,
// held to the stored range (the last frame from the end on). count > 0.
std::size_t shownFrameIndex(float frame, std::size_t count);

// The pose at a timeline position; the rest pose (every rotation the
// identity) with no frames.
Pose shownPose(const FrameStore& frames, float frame);

// The glRotatef arguments of a rotation: 2 acos(w) in degrees about the
// vector part divided by sin(acos(w)) (left as it is when that sine is
// tiny). w is held to [-1, 1]: interpolated rotations are not re-normalised
// and may stray just past it.
struct AxisAngle {
  float degrees;
  float x;
  float y;
  float z;
};
AxisAngle glRotationOf(const Quaternion& q);

}  // namespace kinemora
