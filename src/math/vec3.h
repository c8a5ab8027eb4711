#pragma once

namespace kinemora {

// A point or direction in figure units. Stored in single precision like every
// coordinate of the figure; arithmetic on it goes through double.
struct Vec3 {
  float x = 0.0f;
  float y = 0.0f;  // up, in the figure's world
  float z = 0.0f;

  constexpr Vec3() = default;
  constexpr Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  float length() const;
};

inline bool operator==(const Vec3& a, const Vec3& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace kinemora
