#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "figure/joint.h"
#include "motion/joint_table.h"
#include "motion/motions.h"

namespace kinemora {

// Every joint's two tracks, taken out of a skeleton whole: what "clear"
// empties, kept so that it can be put back.
struct StoredFrames {
  std::array<Track<Quaternion>, kJointCount> rotations;
  std::array<Track<Vec3>, kJointCount> angles;
};

// What one stored frame takes in memory: every joint's entry in each track.
constexpr std::size_t kBytesPerStoredFrame = kJointCount * (sizeof(Quaternion) + sizeof(Vec3));

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

  // Lays record i on joint i; stores no frames.
  void setMotion(const MotionRecords& records);

  // Frames at frame times 0..count-1 of the motion laid. count <= 0: none.
  void appendFrames(int count);
  // count frames blending from the last stored rotation towards the motion
  // laid; count <= 0: none.
  void appendTransition(int count);
  void clearFrames();
  // Empties every joint's tracks and hands their frames over, without
  // copying them; putFrames gives them back to tracks that are empty.
  StoredFrames takeFrames();
  void putFrames(StoredFrames&& frames);
  // Drops the frames from `count` on; fewer stored frames are left as they
  // are. Never allocates, so it can undo an append that ran out of memory.
  void truncateFrames(int count);

  // OpenGL drawing of the figure posed at `frame`: defined with the view
  // (view/figure_drawing.cpp), so that this library stays free of OpenGL.
  void draw(float frame) const;

  std::array<std::unique_ptr<Joint>, kJointCount> joints;
  bool noise = false;  // applied to frames appended while it is on
};

}  // namespace kinemora
