#pragma once

#include <array>

namespace kinemora {

// The trackball's own quaternion: single precision, never normalised on
// construction. Same rotation convention as Quaternion.
struct TrackballQuat {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 1.0f;

  TrackballQuat() = default;
  TrackballQuat(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

  // this * o (Hamilton product).
  TrackballQuat multiply(const TrackballQuat& o) const;
  TrackballQuat conjugate() const { return {-x, -y, -z, w}; }
  // Divides by the SQUARED norm: a quaternion of norm n ends at norm 1/n.
  // A zero quaternion becomes the identity.
  void renormalize();
  // Scales to unit length (kept for the accumulated base rotation).
  void normalize();
  float squaredNorm() const { return x * x + y * y + z * z + w * w; }
  // The rotation matrix, row after row ([row * 4 + column]); scale-free,
  // so any non-zero length gives a proper rotation.
  std::array<float, 16> toMatrix() const;

 private:
  // Multiplies every component by the factor of the squared norm; a zero
  // quaternion becomes the identity.
  void scaleBy(float (*factorOfSquaredNorm)(float));
};

struct SpherePoint {
  float x;
  float y;
  float z;
};

// Lifts a point of the unit square onto the unit hemisphere facing the
// viewer; points outside the unit circle go to its rim (z = 0).
SpherePoint projectToSphere(float x, float y);

// Arcball-style view rotation that tilts and turns but never rolls: a drag's
// rotation has no component about the viewing axis. The rotation it stands
// for is dragRotation * base (finished drags first, the current one after).
class Trackball {
 public:
  Trackball() { reset(); }

  void reset();
  // Folds the last drag into base; the rotation shown does not change.
  void beginDrag(float x, float y);
  // The rotation carrying the drag's start point to (x, y), z dropped.
  void drag(float x, float y);
  // For glMultMatrixf: column-major, so OpenGL applies the rotation itself.
  void viewMatrix(float out[16]) const;

  TrackballQuat base;
  TrackballQuat dragRotation;
  float startX = 0.0f;
  float startY = 0.0f;
};

}  // namespace kinemora
