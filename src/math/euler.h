#pragma once

#include "math/quaternion.h"

namespace kinemora {

// Five-bit Euler order code:
//   bit 0     frame: 0 static axes, 1 rotating axes
//   bit 1     repetition: 1 when the first axis is repeated as the third
//   bit 2     parity: 0 even, 1 odd
//   bits 3-4  inner axis: 0 X, 1 Y, 2 Z (3 counts as X)
using EulerOrder = int;

// Z, X, Y about static axes: M = Ry(e3) * Rx(e2) * Rz(e1).
constexpr EulerOrder kEulerZXYStatic = 16;
// Y, X, Z about static axes: M = Rz(e3) * Rx(e2) * Ry(e1). This is what a
// BVH reader composes from "Zrotation Xrotation Yrotation".
constexpr EulerOrder kEulerYXZStatic = 12;

// Angles in radians about the first, second and third axis of `order`, and
// the order code itself as a float.
struct EulerRotation {
  float e1 = 0.0f;
  float e2 = 0.0f;
  float e3 = 0.0f;
  float order = 0.0f;
};

// At the singular attitude the third angle is 0 and the whole rotation goes
// into the first two.
EulerRotation eulerFromMatrix(const Matrix4& m, EulerOrder order);
EulerRotation eulerFromQuaternion(Quaternion q, EulerOrder order);

}  // namespace kinemora
