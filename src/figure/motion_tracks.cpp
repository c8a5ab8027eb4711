#include "figure/motion_tracks.h"

#include "math/angles.h"
#include "math/euler.h"
#include "motion/noise.h"

namespace kinemora {

namespace {

constexpr double kNoiseDegrees = 10.0;  // per unit of noise value

// Lays the joint's jitter for noise argument u over r.
void applyNoise(Quaternion& r, double u) {
  const double n = perlinNoise(u);
  r.premultiply(Quaternion(Vec3(1, 1, 1), degreesToRadians(n * kNoiseDegrees)));
}

}  // namespace

Quaternion poseRotation(const Vec3& pose) {
  Quaternion r;
  // Most joints stand still in most motions; their rotation is the identity
  // either way (up to the sign of a zero), without the trigonometry.
  if (pose.x == 0.0f && pose.y == 0.0f && pose.z == 0.0f) return r;
  r.premultiply(Quaternion(Vec3(0, 0, 1), degreesToRadians(pose.z)));
  r.premultiply(Quaternion(Vec3(1, 0, 0), degreesToRadians(pose.x)));
  r.premultiply(Quaternion(Vec3(0, 1, 0), degreesToRadians(pose.y)));
  return r;
}

Vec3 channelAngles(const Quaternion& q) {
  // Read back in the file's channel order, so that a reader composing
  // Rz * Rx * Ry gets exactly the rotation the view draws, noise included.
  const EulerRotation e = eulerFromQuaternion(q, kEulerYXZStatic);
  return Vec3(static_cast<float>(radiansToDegrees(e.e2)),   // about X
              static_cast<float>(radiansToDegrees(e.e1)),   // about Y
              static_cast<float>(radiansToDegrees(e.e3)));  // about Z
}

void appendFrame(Joint& joint, int frameTime, bool noise) {
  Quaternion r = poseRotation(poseAngles(joint.motion, static_cast<float>(frameTime)));
  if (noise && !joint.isRoot()) {
    applyNoise(r, static_cast<double>(joint.noiseSeed + frameTime));
  }
  joint.rotations.push_back(r);
  joint.angles.push_back(channelAngles(r));
  for (Joint* child : joint.children) appendFrame(*child, frameTime, noise);
}

void appendTransition(Joint& joint, int count, bool noise) {
  const Quaternion start = joint.rotations.empty() ? Quaternion() : joint.rotations.back();
  // The target is the new motion's pose at a frame time equal to the frames
  // already stored (it carries no noise).
  const float targetTime = static_cast<float>(joint.rotations.size());
  const Quaternion target = poseRotation(poseAngles(joint.motion, targetTime));
  for (int i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(count);
    Quaternion q = slerp(start, target, static_cast<double>(t));
    if (noise && !joint.isRoot()) {
      applyNoise(q, static_cast<double>(joint.noiseSeed) + static_cast<double>(t));
    }
    joint.rotations.push_back(q);
    joint.angles.push_back(channelAngles(q));
  }
  for (Joint* child : joint.children) appendTransition(*child, count, noise);
}

}  // namespace kinemora
