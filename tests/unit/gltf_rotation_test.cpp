// A stored rotation, written for glTF, turns a reader's joint as the core's
// rotationMatrix turns it: checked by glTF's own definition of a node
// rotation, not by the writer's arithmetic.
#include <array>
#include <cmath>

#include <gtest/gtest.h>

#include "export/gltf_rotation.h"
#include "figure/motion_tracks.h"

namespace kinemora {
namespace {

using V = std::array<double, 3>;
V cross(const V& a, const V& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Unit vector `axis` turned by the unit quaternion (x, y, z, w) as glTF
// defines it: v + 2w (u x v) + 2 u x (u x v), u = (x, y, z).
V turned(const std::array<float, 4>& q, int axis) {
  const V u = {q[0], q[1], q[2]};
  V v = {0, 0, 0};
  v[axis] = 1;
  const V uv = cross(u, v), uuv = cross(u, uv);
  return {v[0] + 2 * (q[3] * uv[0] + uuv[0]), v[1] + 2 * (q[3] * uv[1] + uuv[1]),
          v[2] + 2 * (q[3] * uv[2] + uuv[2])};
}

// The components as given, not normalised, as slerp leaves them.
Quaternion stored(float x, float y, float z, float w) {
  Quaternion q;
  q.x = x, q.y = y, q.z = z, q.w = w;
  return q;
}

TEST(GltfRotation, TurnsLikeTheCoreMatrixAtUnitLength) {
  const Quaternion cases[] = {
      Quaternion(),                                                      // the identity
      poseRotation(Vec3(30, -45, 60)),                                   // all three angles
      stored(0, 1, 0, 0),                                                // a half turn
      stored(0, 0, 0.38268343f * 1.01f, 0.92387953f * 1.01f),            // 1% too long
      slerp(poseRotation(Vec3(10, 0, 0)), poseRotation(Vec3(10.3f, 0, 0)), 0.5),  // straight blend
      stored(0.0001f, 0, 0, 1.00001f),                                   // w past 1
  };
  for (const Quaternion& q : cases) {
    const std::array<float, 4> g = gltfRotation(q);
    EXPECT_NEAR(std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2] + g[3] * g[3]), 1.0, 1e-6);
    const Matrix4 m = rotationMatrix(q);
    for (int axis = 0; axis < 3; ++axis) {
      const V v = turned(g, axis);
      for (int row = 0; row < 3; ++row) EXPECT_NEAR(v[row], m.m[row][axis], 1e-6) << q.w;
    }
  }
}

}  // namespace
}  // namespace kinemora
