#pragma once

namespace kinemora {

// A pointer position in the view's unit square: x from -1 (left edge) to +1
// (right edge), y from -1 (bottom) to +1 (top). Beyond +-1 outside the view.
struct UnitPoint {
  double x;
  double y;
};

// Window pixels (y counted down from the top) of a width x height view.
UnitPoint pointerToUnit(int eventX, int eventY, int width, int height);

}  // namespace kinemora
