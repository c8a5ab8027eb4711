#include "motion/noise.h"

#include <cmath>

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinemora {
namespace {

// Building the tables takes 256 gradients and 255 swaps from the stream.
constexpr int kTableDraws = 256 + 255;

TEST(Noise, ZeroOnEveryLatticePoint) {
  test::freshProgramState();
  for (int k = 0; k < 4000; ++k) {
    const double x = 10.0 * k;
    ASSERT_EQ(static_cast<float>(x * 0.1), static_cast<float>(k));
    ASSERT_EQ(perlinNoise(x), 0.0) << "x = " << x;
  }
}

// Gradient noise: at a lattice point both neighbouring cells leave with the
// same slope, the point's gradient, so the curve has no kinks.
TEST(Noise, SmoothAcrossLatticePoints) {
  test::freshProgramState();
  auto slope = [](double x, int lattice) {
    const double offset = static_cast<double>(static_cast<float>(x * 0.1)) - lattice;
    return perlinNoise(x) / offset;
  };
  for (int k = 1; k <= 256; ++k) {
    EXPECT_NEAR(slope(10.0 * k - 0.001, k), slope(10.0 * k + 0.001, k), 5e-3) << "k = " << k;
  }
}

TEST(Noise, StaysBelowOneHalf) {
  test::freshProgramState();
  double largest = 0;
  for (double x = 0; x < 40000; x += 0.37) largest = std::max(largest, std::fabs(perlinNoise(x)));
  EXPECT_LT(largest, 0.5);
  EXPECT_GT(largest, 0.05);  // and it is not flat
}

TEST(Noise, RepeatsEvery2560) {
  test::freshProgramState();
  for (double x = 0; x < 2560; x += 1.3) {
    ASSERT_NEAR(perlinNoise(x + 2560), perlinNoise(x), 1e-3) << "x = " << x;
  }
}

TEST(Noise, TablesAreDrawnOnlyOnTheFirstCall) {
  test::freshProgramState();
  test::ReferenceStream reference;
  const double first = perlinNoise(123.4);
  reference.skip(kTableDraws);
  EXPECT_EQ(drawRandom(), reference.next());  // the tables took exactly their draws

  for (double x = 0; x < 100; x += 7) perlinNoise(x);
  EXPECT_EQ(drawRandom(), reference.next());  // later calls draw nothing
  EXPECT_EQ(perlinNoise(123.4), first);       // nor rebuild anything
}

TEST(Noise, StartsFromWhereverTheStreamStands) {
  test::freshProgramState();
  const double fresh = perlinNoise(123.4);
  test::freshProgramState();
  drawRandom();
  EXPECT_NE(perlinNoise(123.4), fresh);
}

}  // namespace
}  // namespace kinemora
