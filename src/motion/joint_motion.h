#pragma once

#include "math/vec3.h"
#include "motion/random_stream.h"
#include "motion/shapes.h"

namespace kinemora {

// What a motion does to one joint: each of the three channels blends between
// two extreme angles (degrees) by its shape; a channel without a shape is 0.
struct JointMotion {
  Vec3 extremeA;                // reached at shape value 1
  Vec3 extremeB;                // reached at shape value 0
  Shape shapeX = Shape::None;  // None: the X angle is 0
  Shape shapeY = Shape::None;
  Shape shapeZ = Shape::None;
};

// The joint's angles (degrees) at frame time t. The channels are evaluated
// Z, X, Y: a random shape draws its values in that order.
Vec3 poseAngles(const JointMotion& motion, float t, RandomStream& stream);

// Whether the joint's angles at a frame time depend on the random stream.
bool drawsRandom(const JointMotion& motion);

}  // namespace kinemora
