// A stored rotation turns a glTF reader's joint as the core turns it:
// checked against the glTF definition of a node rotation, not against the
// writer's own arithmetic.
#include <array>
#include <cmath>

#include <gtest/gtest.h>

#include "export/gltf_rotation.h"
#include "figure/motion_tracks.h"
#include "math/quaternion.h"

namespace kinemora {
namespace {

using Vector = std::array<double, 3>;

Vector cross(const Vector& a, const Vector& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// v turned by the unit quaternion (x, y, z, w) as glTF defines it:
// v + 2w (u x v) + 2 u x (u x v), u the vector part.
Vector turned(const std::array<float, 4>& q, const Vector& v) {
  const Vector u = {q[0], q[1], q[2]};
  const Vector uv = cross(u, v), uuv = cross(u, uv);
  Vector out;
  for (int i = 0; i < 3; ++i) out[i] = v[i] + 2.0 * q[3] * uv[i] + 2.0 * uuv[i];
  return out;
}

// The four components as given, unnormalised, as slerp leaves them.
Quaternion stored(float x, float y, float z, float w) {
  Quaternion q;
  q.x = x;
  q.y = y;
  q.z = z;
  q.w = w;
  return q;
}

struct Case {
  const char* what;
  Quaternion q;
};

const Case kCases[] = {
    {"the identity", Quaternion()},
    {"a pose of all three angles", poseRotation(Vec3(30, -45, 60))},
    {"a half turn about Y", stored(0, 1, 0, 0)},
    {"an eighth turn 1% too long", stored(0, 0, 0.38268343f * 1.01f, 0.92387953f * 1.01f)},
    {"a slerp between near poses", slerp(poseRotation(Vec3(10, 0, 0)), poseRotation(Vec3(10.3f, 0, 0)), 0.5)},
    {"w just past 1", stored(0.0001f, 0, 0, 1.00001f)},
};

TEST(GltfRotation, TurnsLikeTheCoreMatrixAtUnitLength) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const std::array<float, 4> g = gltfRotation(c.q);
    EXPECT_NEAR(std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2] + g[3] * g[3]), 1.0, 1e-6);
    const Matrix4 m = rotationMatrix(c.q);
    for (int axis = 0; axis < 3; ++axis) {
      Vector e = {0, 0, 0};
      e[axis] = 1;
      const Vector v = turned(g, e);
      for (int row = 0; row < 3; ++row) EXPECT_NEAR(v[row], m.m[row][axis], 1e-6) << axis;
    }
  }
}

}  // namespace
}  // namespace kinemora
