// core-positions: composes like kinemora-compose (same actions, a fresh
// composition, so the same random stream) and prints, as JSON, the world
// position of every joint at every frame that a save would write. Positions
// come from the stored rotations placed the way the view draws the figure:
//   world(root)  = translate(root offset) * rotate(q_root)
//   world(child) = world(parent) * translate(child offset) * rotate(q_child)
// so they are an independent account of what the BVH file must reproduce.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "compose/composer.h"
#include "math/quaternion.h"

namespace {

constexpr int kExitUsage = 2;

struct Affine {
  double m[4][4];  // [row][column], acting on column vectors
};

Affine identity() {
  Affine a{};
  for (int i = 0; i < 4; ++i) a.m[i][i] = 1.0;
  return a;
}

Affine operator*(const Affine& a, const Affine& b) {
  Affine r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
  return r;
}

Affine translation(const kinemora::Vec3& v) {
  Affine t = identity();
  t.m[0][3] = v.x;
  t.m[1][3] = v.y;
  t.m[2][3] = v.z;
  return t;
}

Affine rotation(const kinemora::Quaternion& q) {
  const kinemora::Matrix4 r = kinemora::rotationMatrix(q);
  Affine a = identity();
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) a.m[i][j] = r.m[i][j];
  return a;
}

// Pre-order, as the view and the file walk the tree; a parent is placed
// before its children.
void placeJoints(const kinemora::Pose& pose, std::vector<double>& out) {
  std::vector<Affine> world(kinemora::kJointCount);
  for (const int j : kinemora::kPreOrder) {
    const int parent = kinemora::kFigureJoints[j].parent;
    world[j] = (parent == kinemora::kNoParent ? identity() : world[parent]) *
               translation(kinemora::kFigureJoints[j].offset) * rotation(pose.rotations[j]);
    out.push_back(world[j].m[0][3]);
    out.push_back(world[j].m[1][3]);
    out.push_back(world[j].m[2][3]);
  }
}

void printJson(const kinemora::FrameStore& frames, int framesToSave) {
  std::printf("{\"framesStored\": %d, \"framesToSave\": %d,\n \"joints\": [",
              frames.count(), framesToSave);
  for (std::size_t i = 0; i < kinemora::kPreOrder.size(); ++i)
    std::printf("%s\"%s\"", i ? ", " : "", kinemora::kFigureJoints[kinemora::kPreOrder[i]].name);
  std::printf("],\n \"positions\": [");
  std::vector<double> xyz;
  for (int frame = 0; frame < framesToSave; ++frame) {
    xyz.clear();
    placeJoints(frames[frame], xyz);
    std::printf("%s\n  [", frame ? "," : "");
    for (size_t i = 0; i < xyz.size(); ++i) std::printf("%s%.9g", i ? ", " : "", xyz[i]);
    std::printf("]");
  }
  std::printf("\n ]}\n");
}

}  // namespace

int main(int argc, char** argv) {
  kinemora::Composer composer;
  for (int i = 1; i < argc; ++i) {
    const std::optional<kinemora::Action> action = kinemora::actionNamed(argv[i]);
    if (!action) {
      std::fprintf(stderr, "core-positions: unknown action '%s'\n", argv[i]);
      return kExitUsage;
    }
    composer.perform(*action);
  }
  printJson(composer.frames(), composer.frameCount());
  return 0;
}
