#include "math/vec3.h"

#include <cmath>

namespace kinemora {

float Vec3::length() const {
  const double dx = x, dy = y, dz = z;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

}  // namespace kinemora
