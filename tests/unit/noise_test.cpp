#include "motion/noise.h"

#include <cmath>

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinemora {
namespace {

// Building the tables takes 256 gradients and 255 swaps from the stream.
constexpr int kTableDraws = 256 + 255;

// The tables a fresh stream draws first.
const NoiseTables& freshTables() {
  static const NoiseTables tables = [] {
    RandomStream stream;
    return drawNoiseTables(stream);
  }();
  return tables;
}

double perlinNoise(double x) { return kinemora::perlinNoise(freshTables(), x); }

TEST(Noise, ZeroOnEveryLatticePoint) {
  for (int k = 0; k < 4000; ++k) {
    const double x = 10.0 * k;
    ASSERT_EQ(static_cast<float>(x * 0.1), static_cast<float>(k));
    ASSERT_EQ(perlinNoise(x), 0.0) << "x = " << x;
  }
}

// Gradient noise: at a lattice point both neighbouring cells leave with the
// same slope, the point's gradient, so the curve has no kinks.
TEST(Noise, SmoothAcrossLatticePoints) {
  auto slope = [](double x, int lattice) {
    const double offset = static_cast<double>(static_cast<float>(x * 0.1)) - lattice;
    return perlinNoise(x) / offset;
  };
  for (int k = 1; k <= 256; ++k) {
    EXPECT_NEAR(slope(10.0 * k - 0.001, k), slope(10.0 * k + 0.001, k), 5e-3) << "k = " << k;
  }
}

TEST(Noise, StaysBelowOneHalf) {
  double largest = 0;
  for (double x = 0; x < 40000; x += 0.37) largest = std::max(largest, std::fabs(perlinNoise(x)));
  EXPECT_LT(largest, 0.5);
  EXPECT_GT(largest, 0.05);  // and it is not flat
}

TEST(Noise, RepeatsEvery2560) {
  for (double x = 0; x < 2560; x += 1.3) {
    ASSERT_NEAR(perlinNoise(x + 2560), perlinNoise(x), 1e-3) << "x = " << x;
  }
}

TEST(Noise, TablesAreDrawnOnlyOnTheFirstUse) {
  RandomStream stream;
  Noise noise;
  test::ReferenceStream reference;
  EXPECT_FALSE(noise.built());
  const double first = kinemora::perlinNoise(noise.tables(stream), 123.4);
  reference.skip(kTableDraws);
  EXPECT_EQ(stream.draw(), reference.next());  // the tables took exactly their draws

  EXPECT_TRUE(noise.built());
  EXPECT_EQ(kinemora::perlinNoise(noise.tables(stream), 123.4), first);
  EXPECT_EQ(stream.draw(), reference.next());  // later uses draw nothing
  noise.forget();
  EXPECT_FALSE(noise.built());
}

TEST(Noise, StartsFromWhereverTheStreamStands) {
  RandomStream stream;
  stream.draw();
  EXPECT_NE(kinemora::perlinNoise(drawNoiseTables(stream), 123.4), perlinNoise(123.4));
}

}  // namespace
}  // namespace kinemora
