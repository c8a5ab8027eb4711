#include "view/pointer_to_unit.h"

#include <gtest/gtest.h>

namespace kinemora {
namespace {

constexpr int kW = 690;
constexpr int kH = 550;

TEST(PointerToUnit, CornersAndCentreOfTheView) {
  struct Case {
    int x, y;
    double ux, uy;
  };
  const Case cases[] = {
      // pixel      unit square
      {0,   0,     -1.0,  1.0},   // top left
      {345, 275,    0.0,  0.0},   // centre
      {690, 550,    1.0, -1.0},   // bottom right edge
      {690, 0,      1.0,  1.0},
      {0,   550,   -1.0, -1.0},
  };
  for (const Case& c : cases) {
    const UnitPoint p = pointerToUnit(c.x, c.y, kW, kH);
    EXPECT_DOUBLE_EQ(p.x, c.ux) << c.x << "," << c.y;
    EXPECT_DOUBLE_EQ(p.y, c.uy) << c.x << "," << c.y;
  }
}

TEST(PointerToUnit, OutsideTheViewGoesBeyondOne) {
  const UnitPoint p = pointerToUnit(-345, 825, kW, kH);
  EXPECT_DOUBLE_EQ(p.x, -2.0);
  EXPECT_DOUBLE_EQ(p.y, -2.0);
}

// The map is affine: equal pixel steps give equal unit steps, and y grows
// upwards while pixel rows grow downwards.
TEST(PointerToUnit, OnePixelIsTwoOverTheSizeWithYUpwards) {
  const UnitPoint a = pointerToUnit(100, 200, kW, kH);
  const UnitPoint b = pointerToUnit(101, 201, kW, kH);
  EXPECT_NEAR(b.x - a.x, 2.0 / kW, 1e-12);
  EXPECT_NEAR(b.y - a.y, -2.0 / kH, 1e-12);
}

}  // namespace
}  // namespace kinemora
