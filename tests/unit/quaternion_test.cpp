#include "math/quaternion.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinemora {
namespace {

using test::Mat3;
using test::operator*;
using test::matrixOf;
using test::maxDifference;

constexpr float kHalfPi = 1.5707963267948966f;
constexpr float kRootHalf = 0.7071068f;

void expectComponents(const Quaternion& q, float x, float y, float z, float w) {
  EXPECT_FLOAT_EQ(q.x, x);
  EXPECT_FLOAT_EQ(q.y, y);
  EXPECT_FLOAT_EQ(q.z, z);
  EXPECT_FLOAT_EQ(q.w, w);
}

void expectIdentity(const Quaternion& q) { expectComponents(q, 0, 0, 0, 1); }

bool finite(const Quaternion& q) {
  return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
}

// A raw quaternion: the fields set directly, past the normalising constructors.
Quaternion raw(float x, float y, float z, float w) {
  Quaternion q;
  q.x = x;
  q.y = y;
  q.z = z;
  q.w = w;
  return q;
}

// The smallest float whose length reaches the 0.0001 threshold.
float smallestNormalisable() {
  float f = 1e-4f;
  if (static_cast<double>(f) < 1e-4) f = std::nextafter(f, 1.0f);
  return f;
}

TEST(RuleN, TooShortBecomesIdentity) {
  expectIdentity(Quaternion(0, 0, 0, 0));
  expectIdentity(Quaternion(0.00005f, 0, 0, 0));
  expectIdentity(Quaternion(std::nextafter(smallestNormalisable(), 0.0f), 0, 0, 0));
}

TEST(RuleN, ScalesToUnitLength) {
  expectComponents(Quaternion(0, 0, 0, 2), 0, 0, 0, 1);
  expectComponents(Quaternion(1, 1, 1, 1), 0.5f, 0.5f, 0.5f, 0.5f);
  // Exactly at the threshold the quaternion is still normalised.
  expectComponents(Quaternion(smallestNormalisable(), 0, 0, 0), 1, 0, 0, 0);
}

TEST(AxisAngle, ShortAxisGivesIdentityWhateverTheAngle) {
  for (float angle : {0.0f, 1.0f, -3.0f, 100.0f}) {
    expectIdentity(Quaternion(Vec3(0, 0, 0), angle));
    // An axis of exactly 0.0001 is not long enough.
    expectIdentity(Quaternion(Vec3(1e-4f, 0, 0), angle));
  }
}

TEST(AxisAngle, AcceptsAnyAxisLengthAndNegatesTheAngle) {
  expectComponents(Quaternion(Vec3(0, 0, 1), kHalfPi), 0, 0, -kRootHalf, kRootHalf);
  expectComponents(Quaternion(Vec3(0, 0, 5), kHalfPi), 0, 0, -kRootHalf, kRootHalf);
  expectComponents(Quaternion(Vec3(std::nextafter(1e-4f, 1.0f), 0, 0), kHalfPi), -kRootHalf,
                   0, 0, kRootHalf);
}

// rotationMatrix of the axis-angle quaternion against Rodrigues' formula:
// the quaternion turns by minus the angle it was given.
TEST(AxisAngle, MatrixIsRodriguesOfTheNegatedAngle) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> component(-3, 3), angle(-6, 6);
  for (int n = 0; n < 500; ++n) {
    const Vec3 axis(component(random), component(random), component(random));
    const float theta = angle(random);
    const double L = axis.length();
    if (L < 0.01) continue;
    const Mat3 expected = test::rodrigues(axis.x / L, axis.y / L, axis.z / L, -theta);
    EXPECT_LT(maxDifference(matrixOf(Quaternion(axis, theta)), expected), 1e-6);
  }
}

TEST(RotationMatrix, IgnoresLengthAndMapsZeroToIdentity) {
  const Quaternion unit(0.1f, -0.7f, 0.3f, 0.5f);
  const Quaternion longer = raw(unit.x * 3, unit.y * 3, unit.z * 3, unit.w * 3);
  EXPECT_LT(maxDifference(matrixOf(longer), matrixOf(unit)), 1e-6);

  const Matrix4 zero = rotationMatrix(raw(0, 0, 0, 0));
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(zero.m[r][c], r == c ? 1.0f : 0.0f);
}

TEST(Premultiply, IdentityTakesTheOtherNormalised) {
  Quaternion q;
  q.premultiply(raw(0, 0, 0, 2));
  expectIdentity(q);
  Quaternion p;
  p.premultiply(raw(1, 1, 1, 1));
  expectComponents(p, 0.5f, 0.5f, 0.5f, 0.5f);
}

TEST(Premultiply, TwoQuarterTurnsMakeAHalfTurn) {
  Quaternion q(Vec3(0, 1, 0), kHalfPi);
  q.premultiply(Quaternion(Vec3(0, 1, 0), kHalfPi));
  EXPECT_NEAR(std::fabs(q.y), 1.0f, 1e-6);
  EXPECT_NEAR(q.w, 0.0f, 1e-6);
  EXPECT_LT(maxDifference(matrixOf(q), test::Ry(test::kExactPi)), 1e-6);
}

// The existing rotation acts first: M(o * t) = M(o) * M(t).
TEST(Premultiply, MatrixOfProductIsProductOfMatrices) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> c(-1, 1);
  for (int n = 0; n < 200; ++n) {
    const Quaternion t(c(random), c(random), c(random), c(random));
    const Quaternion o(c(random), c(random), c(random), c(random));
    Quaternion product = t;
    product.premultiply(o);
    EXPECT_LT(maxDifference(matrixOf(product), matrixOf(o) * matrixOf(t)), 1e-6);
    EXPECT_NEAR(std::hypot(std::hypot(product.x, product.y), std::hypot(product.z, product.w)),
                1.0, 1e-6);
  }
}

// t = 0 gives a exactly; a with itself, and with -a (the same rotation: the
// flipped dot product 1 takes the linear branch, weights 1 - t and -t), is a.
TEST(Slerp, StartAndEqualRotationsGiveA) {
  const Quaternion a(0.2f, -0.4f, 0.1f, 0.8f);
  const Quaternion b(-0.5f, 0.3f, 0.6f, 0.2f);
  const Quaternion minusA = raw(-a.x, -a.y, -a.z, -a.w);
  expectComponents(slerp(a, b, 0.0), a.x, a.y, a.z, a.w);
  for (double t : {0.0, 0.3, 0.5, 1.0}) {
    expectComponents(slerp(a, a, t), a.x, a.y, a.z, a.w);
    const Quaternion r = slerp(a, minusA, t);
    ASSERT_TRUE(finite(r));
    expectComponents(r, a.x, a.y, a.z, a.w);
  }
}

TEST(Slerp, SphericalBranchStaysUnitLength) {
  std::mt19937 random(3);
  std::uniform_real_distribution<float> c(-1, 1), t(0, 1);
  for (int n = 0; n < 300; ++n) {
    const Quaternion a(c(random), c(random), c(random), c(random));
    const Quaternion b(c(random), c(random), c(random), c(random));
    const Quaternion r = slerp(a, b, t(random));
    EXPECT_NEAR(std::sqrt(double(r.x) * r.x + double(r.y) * r.y + double(r.z) * r.z +
                          double(r.w) * r.w),
                1.0, 1e-6);
  }
}

TEST(Slerp, MidpointTurnsHalfTheAngle) {
  const Quaternion quarterTurn(Vec3(0, 0, 1), kHalfPi);  // -90 degrees about Z
  const Quaternion half = slerp(Quaternion(), quarterTurn, 0.5);
  EXPECT_LT(maxDifference(matrixOf(half), test::Rz(-test::kExactPi / 4)), 1e-6);
}

TEST(Degenerate, NoNaNFromZeroInputs) {
  const Quaternion zero = raw(0, 0, 0, 0);
  EXPECT_TRUE(finite(slerp(zero, zero, 0.5)));
  EXPECT_TRUE(finite(slerp(zero, Quaternion(1, 2, 3, 4), 0.5)));
  const Quaternion halfTurn(Vec3(1, 0, 0), 3.14159265f);
  EXPECT_TRUE(finite(slerp(halfTurn, raw(-halfTurn.x, 0, 0, -halfTurn.w), 0.7)));
  Quaternion q(0.5f, 0.5f, 0.5f, 0.5f);
  q.premultiply(zero);
  expectIdentity(q);  // the zero product falls back to the identity
  expectIdentity(Quaternion(Vec3(0, 0, 0), std::nanf("")));
}

}  // namespace
}  // namespace kinemora
