#pragma once

namespace kinemora {

// Every degree/radian conversion in the program uses this single-precision
// stand-in for pi, not the exact value: stored files depend on it.
constexpr float kPi = 3.14159f;
constexpr float kOneOver180 = 0.0055555557f;

// degrees * 3.14159 * (1/180), in double, stored as a float.
inline float degreesToRadians(double degrees) {
  return static_cast<float>(degrees * static_cast<double>(kPi) *
                            static_cast<double>(kOneOver180));
}

// radians * 180 / 3.14159, in double.
inline double radiansToDegrees(double radians) {
  return radians * 180.0 / static_cast<double>(kPi);
}

}  // namespace kinemora
