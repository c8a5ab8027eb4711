#include "figure/joint.h"

#include "figure/figure_layout.h"
#include "motion/random_stream.h"

namespace kinemora {

Joint::Joint(const char* name_) : name(name_), noiseSeed(drawRandom()) {}

bool Joint::isRoot() const { return name == kFigureJoints[kRoot].name; }

void Joint::clearFrames() {
  rotations.clear();
  angles.clear();
  for (Joint* child : children) child->clearFrames();
}

}  // namespace kinemora
