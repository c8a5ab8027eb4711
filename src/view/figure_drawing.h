#pragma once

#include "figure/joint.h"

namespace kinemora {

// The OpenGL drawing of the figure, posed at a timeline position (see
// joint_pose.h for which stored frame that shows). Each bone is a red
// ellipsoid from the parent's position to the joint's, each leaf joint
// carries a green ball. Skeleton::draw, defined with this, starts at the
// root.

// This joint's bone and its subtree, in the parent's frame.
void drawJoint(const Joint& joint, float frame);

}  // namespace kinemora
