#pragma once

#include "math/vec3.h"

namespace kinemora {

// A rotation. (x, y, z, w) stands for the rotation whose matrix is
// rotationMatrix(q), acting on column vectors; for a unit quaternion that is
// the right-handed turn by 2*acos(w) about (x, y, z).
//
// Every constructor but the copy leaves the quaternion at unit length, or at
// the identity when its input is degenerate (shorter than 0.0001). Four
// floats and nothing else: every stored frame holds one per joint.
struct Quaternion {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 1.0f;

  // The identity.
  Quaternion() = default;
  // Stores the four components, then normalises.
  Quaternion(float x_, float y_, float z_, float w_);
  // The rotation by MINUS angle (radians) about axis; an axis of any length
  // above 0.0001 is accepted, a shorter one gives the identity. Pose and
  // noise rotations rely on the sign.
  Quaternion(const Vec3& axis, float angle);

  // Rule N: scale to unit length, or become the identity when the length is
  // below 0.0001.
  Quaternion& normalize();
  // this <- normalised (o * this): this rotation acts first, o after it.
  Quaternion& premultiply(const Quaternion& o);
};
static_assert(sizeof(Quaternion) == 4 * sizeof(float), "a stored rotation is four floats");

// 4x4 matrix indexed [row][column].
struct Matrix4 {
  float m[4][4];
};

// The rotation matrix of q, for a quaternion of any non-zero length (it uses
// s = 2/N); a zero quaternion gives the identity.
Matrix4 rotationMatrix(const Quaternion& q);

// Spherical interpolation from a (t = 0) to b (t = 1) along the shorter arc.
// The result is NOT re-normalised. Opposite and equal inputs take the linear
// branch and stay finite.
Quaternion slerp(Quaternion a, Quaternion b, double t);

}  // namespace kinemora
