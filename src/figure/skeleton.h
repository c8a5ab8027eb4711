#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "figure/figure_layout.h"
#include "figure/joint.h"
#include "motion/motions.h"

namespace kinemora {

// How a save went. On failure `message` names the path and the reason.
struct SaveResult {
  bool ok = true;
  std::string message;
  explicit operator bool() const { return ok; }
};

// The figure: 20 joints in a fixed tree, and the noise switch. Every
// per-frame operation starts at the root and recurses in child order.
class Skeleton {
 public:
  // Builds the tree; the joints draw their noise seeds in index order.
  Skeleton();
  Skeleton(const Skeleton&) = delete;
  Skeleton& operator=(const Skeleton&) = delete;

  Joint& joint(int index) { return *joints[index]; }
  const Joint& joint(int index) const { return *joints[index]; }
  Joint& root() { return *joints[kRoot]; }
  const Joint& root() const { return *joints[kRoot]; }
  int frameCount() const { return static_cast<int>(joints[kRoot]->rotations.size()); }

  // Lays record i on joint i. The pointers need only live for the call.
  void assignMotion(std::vector<const JointMotion*> records);

  // The seven motion generators: lay a motion on all 20 joints, store nothing.
  void rhumba();
  void clap();
  void bend();
  void seizure();
  void punchR();
  void punchL();
  void cheer();
  void layMotion(Motion motion);

  // Frames at frame times 0..count-1 of the motion laid. count <= 0: none.
  void appendFrames(int count);
  // count frames blending from the last stored rotation towards the motion
  // laid; count <= 0: none.
  void appendTransition(int count);
  void clearFrames();
  // Drops the frames from `count` on; fewer stored frames are left as they
  // are. Never allocates, so it can undo an append that ran out of memory.
  void truncateFrames(int count);

  // Writes frames 0..frameCount-1 as BVH. The file at path is replaced only
  // when everything was written; on failure it is left as it was.
  SaveResult writeBvh(const char* path, int frameCount) const;
  // The same text to an open stream (standard output, say).
  SaveResult writeBvh(std::FILE* out, int frameCount) const;

  // OpenGL drawing of the figure posed at `frame` (defined with the view,
  // outside the core).
  void draw(float frame) const;

  std::array<std::unique_ptr<Joint>, kJointCount> joints;
  bool noise = false;  // applied to frames appended while it is on
};

}  // namespace kinemora
