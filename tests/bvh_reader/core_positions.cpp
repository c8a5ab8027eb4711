// core-positions: composes like kinemora-compose (same actions, a fresh
// Skeleton, so the same random stream) and prints, as JSON, the world position
// of every joint at every frame that a save would write. Positions come from
// the `rotations` track placed the way the view draws the figure:
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

using kinemora::Joint;

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

// Pre-order walk, as the view and the file walk the tree.
void collectNames(const Joint& joint, std::vector<std::string>& names) {
  names.emplace_back(joint.name);
  for (const Joint* child : joint.children) collectNames(*child, names);
}

void placeJoints(const Joint& joint, const Affine& parent, int frame,
                 std::vector<double>& out) {
  const Affine world = parent * translation(joint.offset) *
                       rotation(joint.rotations[static_cast<size_t>(frame)]);
  out.push_back(world.m[0][3]);
  out.push_back(world.m[1][3]);
  out.push_back(world.m[2][3]);
  for (const Joint* child : joint.children) placeJoints(*child, world, frame, out);
}

void printJson(const kinemora::Skeleton& skeleton, int framesToSave) {
  std::vector<std::string> names;
  collectNames(skeleton.root(), names);
  std::printf("{\"framesStored\": %d, \"framesToSave\": %d,\n \"joints\": [",
              skeleton.frameCount(), framesToSave);
  for (size_t i = 0; i < names.size(); ++i)
    std::printf("%s\"%s\"", i ? ", " : "", names[i].c_str());
  std::printf("],\n \"positions\": [");
  std::vector<double> xyz;
  for (int frame = 0; frame < framesToSave; ++frame) {
    xyz.clear();
    placeJoints(skeleton.root(), identity(), frame, xyz);
    std::printf("%s\n  [", frame ? "," : "");
    for (size_t i = 0; i < xyz.size(); ++i) std::printf("%s%.9g", i ? ", " : "", xyz[i]);
    std::printf("]");
  }
  std::printf("\n ]}\n");
}

}  // namespace

int main(int argc, char** argv) {
  kinemora::Skeleton skeleton;
  kinemora::Composer composer(skeleton);
  for (int i = 1; i < argc; ++i) {
    const std::optional<kinemora::Action> action = kinemora::actionNamed(argv[i]);
    if (!action) {
      std::fprintf(stderr, "core-positions: unknown action '%s'\n", argv[i]);
      return kExitUsage;
    }
    composer.perform(*action);
  }
  printJson(skeleton, composer.frameCount());
  return 0;
}
