// Helpers shared by the unit tests: a fresh composition's figure, an
// independent copy of the random stream, and rotation matrices built straight
// from their textbook definitions (not from the library's quaternions).
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "figure/skeleton.h"
#include "math/quaternion.h"
#include "motion/randomness.h"

namespace kinemora::test {

// The figure's tree as a depth-first walk from the root, written out from
// the figure's definition: the joint order of the BVH file and of every
// recursion over the tree.
struct TreeEntry {
  const char* name;
  JointIndex index;
  int depth;
  Vec3 offset;  // from the parent
  int children;
};
inline const TreeEntry kPreOrder[kJointCount] = {
    // name        index       depth  offset         children
    {"Root",      kRoot,      0,     {0, 60, 0},    3},
    {"Waist",     kWaist,     1,     {0, 0, 0},     3},
    {"Neck",      kNeck,      2,     {0, 20, 0},    1},
    {"Nod",       kNod,       3,     {0, 5, 0},     0},
    {"Rchest",    kRchest,    2,     {0, 20, 0},    1},
    {"Rshoulder", kRshoulder, 3,     {10, 0, 0},    1},
    {"Relbow",    kRelbow,    4,     {0, -20, 0},   1},
    {"Rwrist",    kRwrist,    5,     {0, -20, 0},   0},
    {"Lchest",    kLchest,    2,     {0, 20, 0},    1},
    {"Lshoulder", kLshoulder, 3,     {-10, 0, 0},   1},
    {"Lelbow",    kLelbow,    4,     {0, -20, 0},   1},
    {"Lwrist",    kLwrist,    5,     {0, -20, 0},   0},
    {"Rpelvis",   kRpelvis,   1,     {0, -5, 0},    1},
    {"Rhip",      kRhip,      2,     {5, 0, 0},     1},
    {"Rknee",     kRknee,     3,     {0, -25, 0},   1},
    {"Rankle",    kRankle,    4,     {0, -25, 0},   0},
    {"Lpelvis",   kLpelvis,   1,     {0, -5, 0},    1},
    {"Lhip",      kLhip,      2,     {-5, 0, 0},    1},
    {"Lknee",     kLknee,     3,     {0, -25, 0},   1},
    {"Lankle",    kLankle,    4,     {0, -25, 0},   0},
};

// The randomness of a fresh composition, and its figure drawn from it as
// every composition draws it first.
struct FreshFigure {
  Randomness random;
  Skeleton skeleton = drawSkeleton(random.stream);
};

// The documented 15-bit generator, written out again for comparison.
class ReferenceStream {
 public:
  int next() {
    state_ = (state_ * 214013u + 2531011u) % 4294967296u;
    return static_cast<int>((state_ >> 16) & 0x7fff);
  }
  void skip(int count) {
    for (int i = 0; i < count; ++i) next();
  }

 private:
  std::uint64_t state_ = 1;
};

constexpr double kExactPi = 3.14159265358979323846;

inline double radians(double degrees) { return degrees * kExactPi / 180.0; }

using Mat3 = std::array<std::array<double, 3>, 3>;

inline Mat3 operator*(const Mat3& a, const Mat3& b) {
  Mat3 r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) r[i][j] += a[i][k] * b[k][j];
  return r;
}

// Right-handed rotation by `angle` radians about coordinate axis 0 (X), 1 (Y)
// or 2 (Z), acting on column vectors.
inline Mat3 axisRotation(int axis, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  switch (axis) {
    case 0: return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
    case 1: return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
    default: return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
  }
}
inline Mat3 Rx(double a) { return axisRotation(0, a); }
inline Mat3 Ry(double a) { return axisRotation(1, a); }
inline Mat3 Rz(double a) { return axisRotation(2, a); }

// Rodrigues' formula: right-handed rotation by `angle` about a unit axis.
inline Mat3 rodrigues(double ux, double uy, double uz, double angle) {
  const double c = std::cos(angle), s = std::sin(angle), v = 1.0 - c;
  return {{{c + ux * ux * v, ux * uy * v - uz * s, ux * uz * v + uy * s},
           {uy * ux * v + uz * s, c + uy * uy * v, uy * uz * v - ux * s},
           {uz * ux * v - uy * s, uz * uy * v + ux * s, c + uz * uz * v}}};
}

inline Mat3 transpose(const Mat3& a) {
  Mat3 r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r[i][j] = a[j][i];
  return r;
}

// The rotation a fraction t of the way from a to b along the shorter arc,
// from matrices alone: a turned by t times the angle of a^T b about its
// axis. The two must not be a half turn apart.
inline Mat3 blend(const Mat3& a, const Mat3& b, double t) {
  const Mat3 r = transpose(a) * b;
  const double angle = std::acos(std::clamp((r[0][0] + r[1][1] + r[2][2] - 1) / 2, -1.0, 1.0));
  if (angle < 1e-9) return a;
  const double s = 2 * std::sin(angle);
  return a * rodrigues((r[2][1] - r[1][2]) / s, (r[0][2] - r[2][0]) / s, (r[1][0] - r[0][1]) / s,
                       t * angle);
}

inline Mat3 toMat3(const Matrix4& m) {
  Mat3 r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r[i][j] = m.m[i][j];
  return r;
}

inline Mat3 matrixOf(const Quaternion& q) { return toMat3(rotationMatrix(q)); }

// What a BVH reader builds from a joint's "Zrotation Xrotation Yrotation"
// channels (degrees): Rz(z) * Rx(x) * Ry(y).
inline Mat3 channelMatrix(const Vec3& degrees) {
  return Rz(radians(degrees.z)) * Rx(radians(degrees.x)) * Ry(radians(degrees.y));
}

inline double maxDifference(const Mat3& a, const Mat3& b) {
  double d = 0;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) d = std::max(d, std::fabs(a[i][j] - b[i][j]));
  return d;
}

// Everything written to a stream by `write`, read back as text.
template <typename Write>
std::string capturedText(Write write) {
  std::FILE* f = std::tmpfile();
  EXPECT_NE(f, nullptr);
  if (!f) return {};
  write(f);
  std::rewind(f);
  std::string text;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  return text;
}

}  // namespace kinemora::test
