#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "math/quaternion.h"
#include "math/vec3.h"
#include "motion/joint_motion.h"

namespace kinemora {

// A per-frame track. Chunked storage: appending never moves the frames
// already stored, so even a very long session never pauses to regrow.
template <class T>
using Track = std::deque<T>;

// One joint of the figure: where it sits on its parent, the motion laid on
// it, and its two per-frame tracks. The tracks only grow at the end
// (figure/motion_tracks.h) and are emptied together; frame i is entry i of
// every joint's tracks.
class Joint {
 public:
  // Keeps the pointer to the name literal; draws the noise seed.
  explicit Joint(const char* name);
  Joint(const Joint&) = delete;
  Joint& operator=(const Joint&) = delete;

  const char* name;              // a literal of the joint table; not copied
  Vec3 offset;                   // from the parent, fixed after construction
  std::vector<Joint*> children;  // in the order added; not owned
  JointMotion motion;            // the motion currently laid on the joint
  int noiseSeed;                 // 0..32767: this joint's stretch of the noise curve
  Track<Quaternion> rotations;   // per frame: rotation relative to the parent, noise included
  Track<Vec3> angles;            // per frame: the BVH channels (degrees) that reproduce `rotations`

  bool isRoot() const;
  void addChild(Joint* child) { children.push_back(child); }
  void setMotion(const JointMotion& m) { motion = m; }

  // Empties the tracks of this joint and its subtree.
  void clearFrames();
  // This joint only: keeps the first `count` frames. Never allocates.
  void truncateFrames(std::size_t count);
};

}  // namespace kinemora
