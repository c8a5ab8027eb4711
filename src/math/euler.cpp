#include "math/euler.h"

#include <cmath>

namespace kinemora {

namespace {

// Sixteen times the float epsilon: below it the attitude counts as singular.
constexpr double kSingular = 1.9073486e-6;

constexpr int kSafe[4] = {0, 1, 2, 0};
constexpr int kNext[4] = {1, 2, 0, 1};

}  // namespace

EulerRotation eulerFromMatrix(const Matrix4& matrix, EulerOrder order) {
  const int frame = order & 1;
  const int repeated = (order >> 1) & 1;
  const int parity = (order >> 2) & 1;
  const int inner = (order >> 3) & 3;
  const int i = kSafe[inner];
  const int j = kNext[i + parity];
  const int k = kNext[i + 1 - parity];
  auto M = [&matrix](int r, int c) { return static_cast<double>(matrix.m[r][c]); };

  double e1, e2, e3;
  if (repeated) {
    const double sy = std::sqrt(M(i, j) * M(i, j) + M(i, k) * M(i, k));
    if (sy > kSingular) {
      e1 = std::atan2(M(i, j), M(i, k));
      e2 = std::atan2(sy, M(i, i));
      e3 = std::atan2(M(j, i), -M(k, i));
    } else {
      e1 = std::atan2(-M(j, k), M(j, j));
      e2 = std::atan2(sy, M(i, i));
      e3 = 0.0;
    }
  } else {
    const double cy = std::sqrt(M(i, i) * M(i, i) + M(j, i) * M(j, i));
    if (cy > kSingular) {
      e1 = std::atan2(M(k, j), M(k, k));
      e2 = std::atan2(-M(k, i), cy);
      e3 = std::atan2(M(j, i), M(i, i));
    } else {
      e1 = std::atan2(-M(j, k), M(j, j));
      e2 = std::atan2(-M(k, i), cy);
      e3 = 0.0;
    }
  }
  if (parity) {
    e1 = -e1;
    e2 = -e2;
    e3 = -e3;
  }
  if (frame) {
    const double swap = e1;
    e1 = e3;
    e3 = swap;
  }
  return {static_cast<float>(e1), static_cast<float>(e2), static_cast<float>(e3),
          static_cast<float>(order)};
}

EulerRotation eulerFromQuaternion(Quaternion q, EulerOrder order) {
  return eulerFromMatrix(rotationMatrix(q), order);
}

}  // namespace kinemora
