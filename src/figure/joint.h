#pragma once

#include <deque>
#include <vector>

#include "math/quaternion.h"
#include "math/vec3.h"
#include "motion/joint_motion.h"

namespace kinemora {

class BvhOutput;

// A per-frame track. Chunked storage: appending never moves the frames
// already stored, so even a very long session never pauses to regrow.
template <class T>
using Track = std::deque<T>;

// One joint of the figure: where it sits on its parent, the motion laid on
// it, and its two per-frame tracks. The tracks only grow at the end and are
// emptied together; frame i is entry i of every joint's tracks.
class Joint {
 public:
  // Keeps the pointer to the name literal; draws the noise seed.
  explicit Joint(const char* name);
  Joint(const Joint&) = delete;
  Joint& operator=(const Joint&) = delete;

  const char* name;            // a literal of the figure table; not copied
  Vec3 offset;                 // from the parent, fixed after construction
  std::vector<Joint*> children;  // in the order added; not owned
  JointMotion motion;          // the motion currently laid on the joint
  int noiseSeed;               // 0..32767: this joint's stretch of the noise curve
  Track<Quaternion> rotations;  // per frame: rotation relative to the parent, noise included
  Track<Vec3> angles;          // per frame: the BVH channels (degrees) that reproduce `rotations`

  bool isRoot() const;
  void addChild(Joint* child) { children.push_back(child); }
  void setMotion(const JointMotion& m) { motion = m; }

  // Motion tracks: append to this joint, then to its subtree in child order.
  void appendFrame(int frameTime, bool noise);
  void appendTransition(int count, bool noise);
  void clearFrames();
  // This joint only: keeps the first `count` frames.
  void truncateFrames(std::size_t count);

  // BVH output of this joint's subtree.
  void writeHierarchy(BvhOutput& out, int depth) const;
  void writeMotion(BvhOutput& out, int frame) const;

  // OpenGL drawing of this joint's bone and subtree posed at `frame`
  // (defined with the view, outside the core).
  void draw(float frame) const;
};

// The rotation of pose angles (degrees): Z acts first, then X, then Y, each
// built by the axis-angle constructor (so by the negated angle).
Quaternion poseRotation(const Vec3& poseDegrees);

// The BVH channels (degrees) whose "Zrotation Xrotation Yrotation" product
// Rz(z) * Rx(x) * Ry(y) is the rotation q.
Vec3 channelAngles(const Quaternion& q);

}  // namespace kinemora
