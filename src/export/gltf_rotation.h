#pragma once

#include <array>

#include "math/quaternion.h"

namespace kinemora {

// A stored rotation as a glTF node rotation: x, y, z, w of the same
// right-handed turn, at unit length. Rotations that slerp made are stored a
// little off unit length; the view and rotationMatrix both turn by the
// normalised quaternion, and glTF readers want it normalised.
std::array<float, 4> gltfRotation(const Quaternion& q);

}  // namespace kinemora
