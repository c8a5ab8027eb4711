#include "math/euler.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinemora {
namespace {

using test::axisRotation;
using test::Mat3;
using test::operator*;
using test::maxDifference;

// The axes an order code names, decoded independently of the library:
// inner axis i (3 counts as X); j follows i in the cyclic order X, Y, Z for
// even parity and precedes it for odd; k is the remaining axis.
struct OrderAxes {
  int i, j, k;
  bool repeated, rotating;
};

OrderAxes decode(EulerOrder order) {
  const int inner = (order >> 3) & 3;
  const int i = inner == 3 ? 0 : inner;
  const bool odd = (order >> 2) & 1;
  const int j = odd ? (i + 2) % 3 : (i + 1) % 3;
  return {i, j, 3 - i - j, ((order >> 1) & 1) != 0, (order & 1) != 0};
}

// The rotation that angles (a1, a2, a3) of `order` stand for. About static
// axes the first angle acts first: R_k(a3) R_j(a2) R_i(a1), or with
// repetition R_i(a3) R_j(a2) R_i(a1). Rotating axes swap the first and the
// third angle.
Mat3 composeOrder(EulerOrder order, double a1, double a2, double a3) {
  const OrderAxes ax = decode(order);
  if (ax.rotating) std::swap(a1, a3);
  const int last = ax.repeated ? ax.i : ax.k;
  return axisRotation(last, a3) * axisRotation(ax.j, a2) * axisRotation(ax.i, a1);
}

Matrix4 toMatrix4(const Mat3& r) {
  Matrix4 m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m.m[i][j] = static_cast<float>(r[i][j]);
  m.m[3][3] = 1;
  return m;
}

// For every order code: angles -> matrix -> eulerFromMatrix -> matrix again.
// The angles may come back different, the rotation may not.
TEST(EulerFromMatrix, RebuildsTheRotationForEveryOrder) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> angle(-3.1, 3.1);
  for (EulerOrder order = 0; order < 32; ++order) {
    for (int n = 0; n < 200; ++n) {
      const Mat3 m = composeOrder(order, angle(random), angle(random), angle(random));
      const EulerRotation e = eulerFromMatrix(toMatrix4(m), order);
      ASSERT_EQ(e.order, static_cast<float>(order));
      const Mat3 rebuilt = composeOrder(order, e.e1, e.e2, e.e3);
      ASSERT_LT(maxDifference(rebuilt, m), 2e-5) << "order " << order;
    }
  }
}

TEST(EulerFromMatrix, SingularAttitudeSetsTheThirdAngleToZero) {
  for (EulerOrder order = 0; order < 32; ++order) {
    const OrderAxes ax = decode(order);
    // Middle angle at the gimbal lock: a quarter turn (or none, with repetition).
    const double middle = ax.repeated ? 0.0 : test::kExactPi / 2;
    const Mat3 m = composeOrder(order, 0.4, middle, 0.3);
    const EulerRotation e = eulerFromMatrix(toMatrix4(m), order);
    EXPECT_EQ(ax.rotating ? e.e1 : e.e3, 0.0f) << "order " << order;
    EXPECT_LT(maxDifference(composeOrder(order, e.e1, e.e2, e.e3), m), 1e-5) << "order " << order;
  }
}

TEST(EulerFromQuaternion, IdentityInOrder16HasNegativeZeroAboutX) {
  const EulerRotation e = eulerFromQuaternion(Quaternion(), kEulerZXYStatic);
  EXPECT_EQ(e.e1, 0.0f);
  EXPECT_EQ(e.e2, 0.0f);
  EXPECT_TRUE(std::signbit(e.e2));
  EXPECT_EQ(e.e3, 0.0f);
  EXPECT_EQ(e.order, 16.0f);
}

TEST(EulerFromQuaternion, QuarterTurnAboutXTakesTheSingularBranch) {
  const Quaternion q(Vec3(1, 0, 0), -1.5707963267948966f);  // +90 degrees about X
  const EulerRotation e = eulerFromQuaternion(q, kEulerZXYStatic);
  EXPECT_NEAR(e.e2, test::kExactPi / 2, 1e-4);
  EXPECT_NEAR(e.e1, 0.0, 1e-4);
  EXPECT_EQ(e.e3, 0.0f);
}

// Order 12 is what a BVH reader composes from Zrotation Xrotation Yrotation.
TEST(EulerFromQuaternion, Order12IsZTimesXTimesY) {
  std::mt19937 random(9);
  std::uniform_real_distribution<float> c(-1, 1);
  for (int n = 0; n < 200; ++n) {
    const Quaternion q(c(random), c(random), c(random), c(random));
    const EulerRotation e = eulerFromQuaternion(q, kEulerYXZStatic);
    const Mat3 m = test::Rz(e.e3) * test::Rx(e.e2) * test::Ry(e.e1);
    EXPECT_LT(maxDifference(m, test::matrixOf(q)), 1e-5);
  }
}

TEST(EulerFromQuaternion, ZeroQuaternionGivesFiniteAngles) {
  Quaternion zero;
  zero.w = 0;
  for (EulerOrder order = 0; order < 32; ++order) {
    const EulerRotation e = eulerFromQuaternion(zero, order);
    EXPECT_TRUE(std::isfinite(e.e1) && std::isfinite(e.e2) && std::isfinite(e.e3));
  }
}

}  // namespace
}  // namespace kinemora
