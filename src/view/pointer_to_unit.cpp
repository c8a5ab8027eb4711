#include "view/pointer_to_unit.h"

namespace kinemora {

UnitPoint pointerToUnit(int eventX, int eventY, int width, int height) {
  const double w = width;
  const double h = height;
  return {2.0 * eventX / w - 1.0, 2.0 * (h - eventY) / h - 1.0};
}

}  // namespace kinemora
