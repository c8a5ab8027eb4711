#include "export/figure_mesh.h"

#include <cmath>

#include "figure/figure_look.h"
#include "motion/joint_table.h"

namespace kinemora {

namespace {

constexpr double kTruePi = 3.14159265358979323846;  // OpenGL's, not the figure's stand-in

// An affine map x' = a * x + b, acting on column vectors.
struct Placement {
  double a[3][3];
  double b[3];
};

// translate(at) * rotate(degrees about Z) * scale(sx, sy, sz), as the view
// composes its matrices.
Placement placement(const Vec3& at, double degrees, double sx, double sy, double sz) {
  const double t = degrees * kTruePi / 180.0;
  const double c = std::cos(t), s = std::sin(t);
  return {{{c * sx, -s * sy, 0.0}, {s * sx, c * sy, 0.0}, {0.0, 0.0, sz}}, {at.x, at.y, at.z}};
}

// A point of the sphere of the given radius: stack i from the +Z pole
// (0..kSphereStacks), slice j round it, as gluSphere places them.
void spherePoint(int i, int j, double radius, double out[3]) {
  const double rho = kTruePi * i / kSphereStacks;
  const double theta = 2.0 * kTruePi * j / kSphereSlices;
  out[0] = radius * std::sin(theta) * std::sin(rho);
  out[1] = radius * std::cos(theta) * std::sin(rho);
  out[2] = radius * std::cos(rho);
}

void addVertex(MeshPart& part, const Placement& p, const double v[3], int joint) {
  for (int r = 0; r < 3; ++r) {
    const double x = p.a[r][0] * v[0] + p.a[r][1] * v[1] + p.a[r][2] * v[2] + p.b[r];
    part.positions.push_back(static_cast<float>(x));
  }
  part.joints.push_back(static_cast<std::uint8_t>(joint));
}

void addTriangle(MeshPart& part, int a, int b, int c) {
  for (int v : {a, b, c}) part.indices.push_back(static_cast<std::uint16_t>(v));
}

// One sphere: the two poles and kSphereStacks - 1 rings between them.
void addSphere(MeshPart& part, const Placement& p, double radius, int joint) {
  const int north = part.vertexCount();
  double v[3];
  spherePoint(0, 0, radius, v);
  addVertex(part, p, v, joint);
  for (int i = 1; i < kSphereStacks; ++i) {
    for (int j = 0; j < kSphereSlices; ++j) {
      spherePoint(i, j, radius, v);
      addVertex(part, p, v, joint);
    }
  }
  spherePoint(kSphereStacks, 0, radius, v);
  addVertex(part, p, v, joint);
  const int south = north + 1 + (kSphereStacks - 1) * kSphereSlices;

  const auto ring = [&](int i, int j) {
    return north + 1 + (i - 1) * kSphereSlices + j % kSphereSlices;
  };
  for (int j = 0; j < kSphereSlices; ++j) {
    addTriangle(part, north, ring(1, j + 1), ring(1, j));
    for (int i = 1; i < kSphereStacks - 1; ++i) {
      addTriangle(part, ring(i, j), ring(i, j + 1), ring(i + 1, j));
      addTriangle(part, ring(i, j + 1), ring(i + 1, j + 1), ring(i + 1, j));
    }
    addTriangle(part, south, ring(kSphereStacks - 1, j), ring(kSphereStacks - 1, j + 1));
  }
}

Vec3 plus(const Vec3& a, const Vec3& b) { return Vec3(a.x + b.x, a.y + b.y, a.z + b.z); }

}  // namespace

FigureMesh figureMesh() {
  const std::array<Vec3, kJointCount> rest = restPositions();
  FigureMesh mesh;
  for (int i = 0; i < kJointCount; ++i) {
    if (hasBone(i)) {
      const int parent = kFigureJoints[i].parent;
      const BonePlacement bone = bonePlacement(kFigureJoints[i].offset);
      addSphere(mesh.bones,
                placement(plus(rest[parent], bone.centre), bone.turnDegrees, bone.across,
                          bone.along, bone.across),
                kBoneRadius, parent);
    }
    if (isLeaf(i)) {
      addSphere(mesh.leafBalls, placement(rest[i], 0.0, 1.0, 1.0, 1.0), kLeafBallRadius, i);
    }
  }
  return mesh;
}

}  // namespace kinemora
