#include "figure/motion_tracks.h"

#include "math/angles.h"
#include "math/euler.h"

namespace kinemora {

namespace {

constexpr double kNoiseDegrees = 10.0;  // per unit of noise value

// Lays the joint's jitter for noise argument u over r.
void applyNoise(Quaternion& r, double u, Randomness& random) {
  const double n = perlinNoise(random.noise.tables(random.stream), u);
  r.premultiply(Quaternion(Vec3(1, 1, 1), degreesToRadians(n * kNoiseDegrees)));
}

bool isIdentity(const Quaternion& q) {
  return q.x == 0.0f && q.y == 0.0f && q.z == 0.0f && q.w == 1.0f;
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

void poseFrame(const Skeleton& skeleton, const MotionRecords& records, int t, bool noise,
               Randomness& random, Pose& pose) {
  for (const JointIndex j : kPreOrder) {
    Quaternion r = poseRotation(poseAngles(records[j], static_cast<float>(t), random.stream));
    if (noise && j != kRoot) {
      applyNoise(r, static_cast<double>(skeleton.noiseSeeds[j] + t), random);
    }
    pose.rotations[j] = r;
  }
}

void appendFrames(Skeleton& skeleton, const MotionRecords& records, int count, bool noise,
                  Randomness& random) {
  for (int t = 0; t < count; ++t) {
    poseFrame(skeleton, records, t, noise, random, skeleton.frames.append());
  }
}

void appendTransition(Skeleton& skeleton, const MotionRecords& records, int count, bool noise,
                      Randomness& random) {
  FrameStore& frames = skeleton.frames;
  const int first = frames.count();
  const Pose start = frames.empty() ? Pose() : frames.back();
  for (int i = 0; i < count; ++i) frames.append();
  // Joint by joint, as the stream has always been drawn: the target is the
  // new motion's pose at a frame time equal to the frames already stored
  // (it carries no noise).
  const float targetTime = static_cast<float>(first);
  for (const JointIndex j : kPreOrder) {
    const Quaternion target = poseRotation(poseAngles(records[j], targetTime, random.stream));
    // A joint that stands still and stays still: slerp would give the
    // identity exactly, at a cost.
    const bool still = isIdentity(start.rotations[j]) && isIdentity(target);
    for (int i = 0; i < count; ++i) {
      const float t = static_cast<float>(i) / static_cast<float>(count);
      Quaternion q = still ? Quaternion() : slerp(start.rotations[j], target, static_cast<double>(t));
      if (noise && j != kRoot) {
        applyNoise(q, static_cast<double>(skeleton.noiseSeeds[j]) + static_cast<double>(t), random);
      }
      frames[first + i].rotations[j] = q;
    }
  }
}

}  // namespace kinemora
