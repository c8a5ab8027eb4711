#include "math/quaternion.h"

#include <cmath>

namespace kinemora {

namespace {

constexpr double kMinLength = 0.0001;

}  // namespace

Quaternion::Quaternion(float x_, float y_, float z_, float w_)
    : x(x_), y(y_), z(z_), w(w_) {
  normalize();
}

Quaternion::Quaternion(const Vec3& axis, float angle) {
  const double length = axis.length();
  if (length <= kMinLength) return;  // stays the identity
  const double h = static_cast<double>(angle) * -0.5;
  const double s = std::sin(h);
  x = static_cast<float>(axis.x * s / length);
  y = static_cast<float>(axis.y * s / length);
  z = static_cast<float>(axis.z * s / length);
  w = static_cast<float>(std::cos(h));
  normalize();
}

Quaternion& Quaternion::normalize() {
  const double dx = x, dy = y, dz = z, dw = w;
  const double n = std::sqrt(dx * dx + dy * dy + dz * dz + dw * dw);
  // The negated test also sends NaN to the identity.
  if (!(n >= kMinLength)) {
    x = y = z = 0.0f;
    w = 1.0f;
    return *this;
  }
  const double k = 1.0 / n;
  x = static_cast<float>(dx * k);
  y = static_cast<float>(dy * k);
  z = static_cast<float>(dz * k);
  w = static_cast<float>(dw * k);
  return *this;
}

Quaternion& Quaternion::premultiply(const Quaternion& o) {
  const double tx = x, ty = y, tz = z, tw = w;
  const double ox = o.x, oy = o.y, oz = o.z, ow = o.w;
  x = static_cast<float>(ow * tx + ox * tw + oy * tz - oz * ty);
  y = static_cast<float>(ow * ty - ox * tz + oy * tw + oz * tx);
  z = static_cast<float>(ow * tz + ox * ty - oy * tx + oz * tw);
  w = static_cast<float>(ow * tw - ox * tx - oy * ty - oz * tz);
  // Twice: the second pass only trims what float rounding left of the first.
  normalize();
  return normalize();
}

Matrix4 rotationMatrix(const Quaternion& q) {
  const double x = q.x, y = q.y, z = q.z, w = q.w;
  const double n = x * x + y * y + z * z + w * w;
  const double s = n > 0.0 ? 2.0 / n : 0.0;
  const double xs = x * s, ys = y * s, zs = z * s;
  const double wx = w * xs, wy = w * ys, wz = w * zs;
  const double xx = x * xs, xy = x * ys, xz = x * zs;
  const double yy = y * ys, yz = y * zs, zz = z * zs;

  Matrix4 r{};
  r.m[0][0] = static_cast<float>(1.0 - (yy + zz));
  r.m[0][1] = static_cast<float>(xy - wz);
  r.m[0][2] = static_cast<float>(xz + wy);
  r.m[1][0] = static_cast<float>(xy + wz);
  r.m[1][1] = static_cast<float>(1.0 - (xx + zz));
  r.m[1][2] = static_cast<float>(yz - wx);
  r.m[2][0] = static_cast<float>(xz - wy);
  r.m[2][1] = static_cast<float>(yz + wx);
  r.m[2][2] = static_cast<float>(1.0 - (xx + yy));
  r.m[3][3] = 1.0f;
  return r;
}

Quaternion slerp(Quaternion a, Quaternion b, double t) {
  double d = static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y +
             static_cast<double>(a.z) * b.z + static_cast<double>(a.w) * b.w;
  bool flipped = false;
  if (d < 0.0) {
    d = -d;
    flipped = true;
  }
  double k0, k1;
  if (d < 0.99999) {
    const double omega = std::acos(d);
    const double sinOmega = std::sin(omega);
    k0 = std::sin((1.0 - t) * omega) / sinOmega;
    k1 = std::sin(t * omega) / sinOmega;
  } else {
    // Nearly the same rotation (or non-unit input past 1): a straight blend
    // keeps clear of acos's domain and of dividing by sin(0).
    k0 = 1.0 - t;
    k1 = t;
  }
  if (flipped) k1 = -k1;

  Quaternion r;  // filled component-wise: slerp does not normalise
  r.x = static_cast<float>(k0 * a.x + k1 * b.x);
  r.y = static_cast<float>(k0 * a.y + k1 * b.y);
  r.z = static_cast<float>(k0 * a.z + k1 * b.z);
  r.w = static_cast<float>(k0 * a.w + k1 * b.w);
  return r;
}

}  // namespace kinemora
