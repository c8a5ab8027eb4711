#include "view/trackball.h"

#include <cmath>

#include <gtest/gtest.h>

#include "math/quaternion.h"

namespace kinemora {
namespace {

constexpr float kTol = 1e-6f;

void expectQuat(const TrackballQuat& q, float x, float y, float z, float w, float tol = kTol) {
  EXPECT_NEAR(q.x, x, tol);
  EXPECT_NEAR(q.y, y, tol);
  EXPECT_NEAR(q.z, z, tol);
  EXPECT_NEAR(q.w, w, tol);
}

std::array<float, 16> viewMatrixOf(const Trackball& t) {
  std::array<float, 16> m;
  t.viewMatrix(m.data());
  return m;
}

void expectMatricesNear(const std::array<float, 16>& a, const std::array<float, 16>& b,
                        float tol) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(a[i], b[i], tol) << "element " << i;
}

Trackball dragged(float x0, float y0, float x1, float y1) {
  Trackball t;
  t.beginDrag(x0, y0);
  t.drag(x1, y1);
  return t;
}

// A wandering pointer path with points inside and outside the ball.
float pathX(int i) { return 1.3f * std::sin(0.37f * static_cast<float>(i)); }
float pathY(int i) { return 1.1f * std::cos(0.23f * static_cast<float>(i) + 0.5f); }

TEST(ProjectToSphere, PointsInsideTheOutlineLieOnTheUnitHemisphere) {
  const SpherePoint p = projectToSphere(0.3f, -0.4f);
  EXPECT_FLOAT_EQ(p.x, 0.3f);
  EXPECT_FLOAT_EQ(p.y, -0.4f);
  EXPECT_NEAR(p.z, std::sqrt(0.75f), kTol);
}

TEST(ProjectToSphere, PointsOutsideGoToTheRimInTheirDirection) {
  const SpherePoint p = projectToSphere(3.0f, -4.0f);
  EXPECT_NEAR(p.x, 0.6f, kTol);
  EXPECT_NEAR(p.y, -0.8f, kTol);
  EXPECT_EQ(p.z, 0.0f);
}

TEST(ProjectToSphere, APointOnTheCircleHasZeroHeight) {
  const SpherePoint p = projectToSphere(0.0f, 1.0f);
  EXPECT_EQ(p.y, 1.0f);
  EXPECT_EQ(p.z, 0.0f);
}

TEST(Trackball, FreshViewMatrixIsTheIdentity) {
  const std::array<float, 16> identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  EXPECT_EQ(viewMatrixOf(Trackball()), identity);
}

TEST(Trackball, DragFromCentreHalfwayRightTurnsSixtyDegreesAboutVertical) {
  expectQuat(dragged(0, 0, 0.5f, 0).dragRotation, 0, 0.5f, 0, 0.8660254f);
}

TEST(Trackball, DiagonalDragDropsTheRollAndRenormalisesBySquaredNorm) {
  // The full arcball rotation would be (-0.4330127, -0.4330127, 0.25, 0.75).
  expectQuat(dragged(0.5f, 0, 0, 0.5f).dragRotation, -0.4618802f, -0.4618802f, 0, 0.8f);
}

TEST(Trackball, DragEndingWhereItStartedIsTheIdentity) {
  expectQuat(dragged(0.2f, -0.7f, 0.2f, -0.7f).dragRotation, 0, 0, 0, 1);
}

TEST(Trackball, DragToBeyondTheRimIsAHalfTurn) {
  expectQuat(dragged(0, 0, 2.0f, 0).dragRotation, 0, 1, 0, 0);
}

TEST(Trackball, QuarterTurnAboutTheViewAxisBetweenRimPointsStaysFinite) {
  // Once the roll is dropped nothing is left of this drag.
  const Trackball t = dragged(1.0f, 0, 0, 1.0f);
  expectQuat(t.dragRotation, 0, 0, 0, 1);
  for (float v : viewMatrixOf(t)) EXPECT_TRUE(std::isfinite(v));
}

TEST(Trackball, BeginDragLeavesTheViewUnchanged) {
  Trackball t;
  for (int i = 0; i < 20; ++i) {
    const std::array<float, 16> before = viewMatrixOf(t);
    t.beginDrag(pathX(i), pathY(i));
    expectMatricesNear(viewMatrixOf(t), before, 1e-5f);
    t.drag(pathX(i + 7), pathY(i + 3));
  }
}

TEST(Trackball, BaseStaysAtUnitLengthOverManyDrags) {
  Trackball t;
  for (int i = 0; i < 20000; ++i) {
    t.beginDrag(pathX(i), pathY(i));
    t.drag(pathX(i + 1), pathY(i + 2));
    ASSERT_NEAR(std::sqrt(t.base.squaredNorm()), 1.0f, 1e-5f) << "after drag " << i;
  }
  for (float v : viewMatrixOf(t)) EXPECT_TRUE(std::isfinite(v));
}

// OpenGL reads the 16 floats column after column, so the array must be the
// transpose of the rotation matrix of dragRotation * base.
TEST(Trackball, ViewMatrixIsTheTransposedRotationMatrix) {
  Trackball t;
  for (int i = 0; i < 12; ++i) {
    t.beginDrag(pathX(i), pathY(i));
    t.drag(pathX(i + 5), pathY(i + 1));
    const TrackballQuat q = t.dragRotation.multiply(t.base);
    const Matrix4 r = rotationMatrix(Quaternion(q.x, q.y, q.z, q.w));
    const std::array<float, 16> m = viewMatrixOf(t);
    for (int row = 0; row < 4; ++row) {
      for (int col = 0; col < 4; ++col) {
        EXPECT_NEAR(m[col * 4 + row], r.m[row][col], 1e-5f) << row << "," << col;
      }
    }
  }
}

// Checked against the core's quaternion arithmetic: the view turns by every
// drag in turn, the earliest first.
TEST(Trackball, ViewIsTheCompositionOfAllDrags) {
  Trackball t;
  Quaternion expected;
  for (int i = 0; i < 40; ++i) {
    t.beginDrag(pathX(i), pathY(i));
    t.drag(pathX(i + 9), pathY(i + 4));
    const TrackballQuat d = t.dragRotation;
    expected.premultiply(Quaternion(d.x, d.y, d.z, d.w));
  }
  const TrackballQuat q = t.dragRotation.multiply(t.base);
  const Quaternion actual(q.x, q.y, q.z, q.w);
  // The same rotation up to sign.
  const float dot = actual.x * expected.x + actual.y * expected.y + actual.z * expected.z +
                    actual.w * expected.w;
  EXPECT_NEAR(std::fabs(dot), 1.0f, 1e-4f);
}

}  // namespace
}  // namespace kinemora
