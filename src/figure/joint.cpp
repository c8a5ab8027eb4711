#include "figure/joint.h"

#include "motion/joint_table.h"
#include "motion/random_stream.h"

namespace kinemora {

Joint::Joint(const char* name_) : name(name_), noiseSeed(drawRandom()) {}

bool Joint::isRoot() const { return name == kFigureJoints[kRoot].name; }

void Joint::clearFrames() {
  rotations.clear();
  angles.clear();
  for (Joint* child : children) child->clearFrames();
}

void Joint::truncateFrames(std::size_t count) {
  // Shrinking a deque frees its blocks and never allocates.
  if (rotations.size() > count) rotations.resize(count);
  if (angles.size() > count) angles.resize(count);
}

}  // namespace kinemora
