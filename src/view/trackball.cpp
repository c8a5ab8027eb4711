#include "view/trackball.h"

#include <cmath>

namespace kinemora {

TrackballQuat TrackballQuat::multiply(const TrackballQuat& o) const {
  return {w * o.x + x * o.w + y * o.z - z * o.y,
          w * o.y - x * o.z + y * o.w + z * o.x,
          w * o.z + x * o.y - y * o.x + z * o.w,
          w * o.w - x * o.x - y * o.y - z * o.z};
}

void TrackballQuat::scaleBy(float (*factorOfSquaredNorm)(float)) {
  const float n = squaredNorm();
  // Zero only for a quarter turn between two rim points about the viewing
  // axis, which has nothing left once the roll is dropped.
  if (!(n > 0.0f)) {
    *this = TrackballQuat();
    return;
  }
  const float k = factorOfSquaredNorm(n);
  x *= k;
  y *= k;
  z *= k;
  w *= k;
}

void TrackballQuat::renormalize() {
  scaleBy([](float n) { return 1.0f / n; });
}

void TrackballQuat::normalize() {
  scaleBy([](float n) { return 1.0f / std::sqrt(n); });
}

std::array<float, 16> TrackballQuat::toMatrix() const {
  const float n = squaredNorm();
  const float s = n > 0.0f ? 2.0f / n : 0.0f;
  const float xs = x * s, ys = y * s, zs = z * s;
  const float wx = w * xs, wy = w * ys, wz = w * zs;
  const float xx = x * xs, xy = x * ys, xz = x * zs;
  const float yy = y * ys, yz = y * zs, zz = z * zs;
  return {
      1.0f - (yy + zz), xy - wz,          xz + wy,          0.0f,
      xy + wz,          1.0f - (xx + zz), yz - wx,          0.0f,
      xz - wy,          yz + wx,          1.0f - (xx + yy), 0.0f,
      0.0f,             0.0f,             0.0f,             1.0f,
  };
}

SpherePoint projectToSphere(float x, float y) {
  const float m = x * x + y * y;
  if (m > 1.0f) {
    const float k = 1.0f / std::sqrt(m);
    return {x * k, y * k, 0.0f};
  }
  return {x, y, std::sqrt(1.0f - m)};
}

void Trackball::reset() {
  base = TrackballQuat();
  dragRotation = TrackballQuat();
}

void Trackball::beginDrag(float x, float y) {
  base = dragRotation.multiply(base);
  // Every drag rotation has norm 1 or more, so base would otherwise grow
  // with each drag until it left the float range.
  base.normalize();
  dragRotation = TrackballQuat();
  startX = x;
  startY = y;
}

void Trackball::drag(float x, float y) {
  const SpherePoint f = projectToSphere(startX, startY);
  const SpherePoint t = projectToSphere(x, y);
  dragRotation = TrackballQuat(f.y * t.z - f.z * t.y,
                               f.z * t.x - f.x * t.z,
                               0.0f,  // no roll about the viewing axis
                               f.x * t.x + f.y * t.y + f.z * t.z);
  dragRotation.renormalize();
}

void Trackball::viewMatrix(float out[16]) const {
  // The conjugate's matrix read column-major is the rotation's own matrix.
  const std::array<float, 16> m = dragRotation.multiply(base).conjugate().toMatrix();
  for (int i = 0; i < 16; ++i) out[i] = m[i];
}

}  // namespace kinemora
