#include "view/joint_pose.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "math/vec3.h"

namespace kinemora {
namespace {

// The rotation matrix of a turn by `degrees` about `axis` (Rodrigues), as
// glRotatef builds it, computed here without OpenGL.
Matrix4 axisAngleMatrix(const AxisAngle& r) {
  Matrix4 m{};
  const double len = std::sqrt(double(r.x) * r.x + double(r.y) * r.y + double(r.z) * r.z);
  const double x = r.x / len, y = r.y / len, z = r.z / len;
  const double a = r.degrees * M_PI / 180.0;
  const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
  const double rows[3][3] = {
      {t * x * x + c,     t * x * y - s * z, t * x * z + s * y},
      {t * x * y + s * z, t * y * y + c,     t * y * z - s * x},
      {t * x * z - s * y, t * y * z + s * x, t * z * z + c},
  };
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) m.m[i][j] = static_cast<float>(rows[i][j]);
  }
  m.m[3][3] = 1.0f;
  return m;
}

Quaternion stored(float x, float y, float z, float w) {
  Quaternion q;  // set as stored: interpolated tracks are not re-normalised
  q.x = x;
  q.y = y;
  q.z = z;
  q.w = w;
  return q;
}

TEST(ShownFrameIndex, InvalidPositionsShowTheFirstFrame) {
  EXPECT_EQ(shownFrameIndex(-1.0f, 5), 0u);
  EXPECT_EQ(shownFrameIndex(-0.5f, 5), 0u);
  EXPECT_EQ(shownFrameIndex(std::numeric_limits<float>::quiet_NaN(), 5), 0u);
}

TEST(ShownFrameIndex, PositionsAreTruncated) {
  EXPECT_EQ(shownFrameIndex(0.0f, 5), 0u);
  EXPECT_EQ(shownFrameIndex(0.99f, 5), 0u);
  EXPECT_EQ(shownFrameIndex(3.7f, 5), 3u);
  EXPECT_EQ(shownFrameIndex(4.0f, 5), 4u);
}

TEST(ShownFrameIndex, PositionsAtOrBeyondTheEndShowTheLastFrame) {
  EXPECT_EQ(shownFrameIndex(5.0f, 5), 4u);
  EXPECT_EQ(shownFrameIndex(108.0f, 5), 4u);
  EXPECT_EQ(shownFrameIndex(1e30f, 5), 4u);
  EXPECT_EQ(shownFrameIndex(std::numeric_limits<float>::infinity(), 5), 4u);
  EXPECT_EQ(shownFrameIndex(7.0f, 1), 0u);
}

TEST(ShownPose, NoStoredFramesIsTheRestPose) {
  const Quaternion q = shownPose(FrameStore(), 12.0f).rotations[kNod];
  EXPECT_EQ(q.x, 0.0f);
  EXPECT_EQ(q.y, 0.0f);
  EXPECT_EQ(q.z, 0.0f);
  EXPECT_EQ(q.w, 1.0f);
}

TEST(ShownPose, PicksTheTruncatedFrameAndHoldsTheLast) {
  FrameStore frames;
  for (const Quaternion& q : {stored(0, 0, 0, 1), stored(1, 0, 0, 0), stored(0, 1, 0, 0)}) {
    frames.append().rotations[kNod] = q;
  }
  EXPECT_EQ(shownPose(frames, 1.9f).rotations[kNod].x, 1.0f);
  EXPECT_EQ(shownPose(frames, 2.0f).rotations[kNod].y, 1.0f);
  EXPECT_EQ(shownPose(frames, 250.0f).rotations[kNod].y, 1.0f);
}

TEST(GlRotationOf, IdentityIsNoTurnAboutTheZeroVector) {
  const AxisAngle r = glRotationOf(Quaternion());
  EXPECT_EQ(r.degrees, 0.0f);
  EXPECT_EQ(r.x, 0.0f);
  EXPECT_EQ(r.y, 0.0f);
  EXPECT_EQ(r.z, 0.0f);
}

TEST(GlRotationOf, WJustPastOneStillGivesAFiniteTurn) {
  const AxisAngle above = glRotationOf(stored(0.0001f, 0, 0, 1.0000001f));
  EXPECT_TRUE(std::isfinite(above.degrees));
  EXPECT_NEAR(above.degrees, 0.0f, 1e-3f);
  const AxisAngle below = glRotationOf(stored(0, 0.0001f, 0, -1.0000001f));
  EXPECT_TRUE(std::isfinite(below.degrees));
  EXPECT_NEAR(below.degrees, 360.0f, 0.01f);
}

// The axis-angle constructor turns by minus its angle, and the drawing
// shows exactly that.
TEST(GlRotationOf, QuarterTurnFromTheAxisAngleConstructorIsMinusNinetyAboutZ) {
  const AxisAngle r = glRotationOf(Quaternion(Vec3(0, 0, 1), static_cast<float>(M_PI / 2)));
  EXPECT_NEAR(r.degrees, 90.0f, 1e-3f);
  EXPECT_NEAR(r.x, 0.0f, 1e-6f);
  EXPECT_NEAR(r.y, 0.0f, 1e-6f);
  EXPECT_NEAR(r.z, -1.0f, 1e-5f);
}

// What the view draws turns exactly as the BVH channels say: the matrix of
// the glRotatef arguments equals the core's rotation matrix.
TEST(GlRotationOf, AgreesWithTheRotationMatrixOfTheQuaternion) {
  for (int i = 1; i < 50; ++i) {
    const Vec3 axis(std::sin(0.7f * i), std::cos(1.3f * i), std::sin(0.11f * i + 1));
    const Quaternion q(axis, 0.13f * static_cast<float>(i));
    const Matrix4 expected = rotationMatrix(q);
    const Matrix4 actual = axisAngleMatrix(glRotationOf(q));
    for (int row = 0; row < 3; ++row) {
      for (int col = 0; col < 3; ++col) {
        EXPECT_NEAR(actual.m[row][col], expected.m[row][col], 2e-4f)
            << "rotation " << i << " at " << row << "," << col;
      }
    }
  }
}

}  // namespace
}  // namespace kinemora
