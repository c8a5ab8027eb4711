#include "export/gltf_rotation.h"

namespace kinemora {

std::array<float, 4> gltfRotation(const Quaternion& q) {
  Quaternion unit = q;
  unit.normalize();
  return {unit.x, unit.y, unit.z, unit.w};
}

}  // namespace kinemora
