#include "motion/shapes.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinemora {
namespace {

constexpr double kTolerance = 1e-6;

TEST(Shapes, ValuesAtZero) {
  EXPECT_DOUBLE_EQ(sineShape(0), 0.5);
  EXPECT_DOUBLE_EQ(cosineShape(0), 1.0);
  EXPECT_DOUBLE_EQ(doubleCosineShape(0), 1.0);
}

// Where each shape reaches extremeA (1) and extremeB (0), for several cycles.
TEST(Shapes, ExtremesAtTheDocumentedFrames) {
  for (int m = 0; m < 5; ++m) {
    EXPECT_NEAR(sineShape(6 + 24 * m), 1.0, kTolerance);
    EXPECT_NEAR(sineShape(18 + 24 * m), 0.0, kTolerance);
    EXPECT_NEAR(cosineShape(24 * m), 1.0, kTolerance);
    EXPECT_NEAR(cosineShape(12 + 24 * m), 0.0, kTolerance);
    EXPECT_NEAR(doubleCosineShape(12 * m), 1.0, kTolerance);
    EXPECT_NEAR(doubleCosineShape(6 + 12 * m), 0.0, kTolerance);
  }
}

TEST(Shapes, PeriodicAndWithinZeroToOne) {
  for (float t = 0; t < 200; t += 0.25f) {
    EXPECT_NEAR(sineShape(t + 24), sineShape(t), kTolerance);
    EXPECT_NEAR(cosineShape(t + 24), cosineShape(t), kTolerance);
    EXPECT_NEAR(doubleCosineShape(t + 12), doubleCosineShape(t), kTolerance);
    for (double v : {sineShape(t), cosineShape(t), doubleCosineShape(t)}) {
      EXPECT_GE(v, 0.0);
      EXPECT_LE(v, 1.0);
    }
  }
}

// One draw per call, scaled by the float nearest 1/32767, whatever t is.
TEST(Shapes, RandomShapeScalesOneDrawPerCall) {
  RandomStream stream;
  test::ReferenceStream reference;
  for (int n = 0; n < 1000; ++n) {
    const double v = shapeValue(Shape::Random, static_cast<float>(n % 7), stream);
    ASSERT_EQ(v, reference.next() * static_cast<double>(3.0518509e-05f));
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
  }
}

}  // namespace
}  // namespace kinemora
