#include "figure/skeleton.h"

#include "figure/motion_tracks.h"

namespace kinemora {

Skeleton::Skeleton() {
  for (int i = 0; i < kJointCount; ++i) {
    joints[i] = std::make_unique<Joint>(kFigureJoints[i].name);
  }
  for (const JointLink& link : kFigureLinks) {
    joints[link.parent]->addChild(joints[link.child].get());
  }
  for (int i = 0; i < kJointCount; ++i) {
    joints[i]->offset = kFigureJoints[i].offset;
  }
}

void Skeleton::setMotion(const MotionRecords& records) {
  for (int i = 0; i < kJointCount; ++i) joints[i]->setMotion(records[i]);
}

void Skeleton::appendFrames(int count) {
  for (int t = 0; t < count; ++t) appendFrame(root(), t, noise);
}

void Skeleton::appendTransition(int count) { kinemora::appendTransition(root(), count, noise); }

void Skeleton::clearFrames() { root().clearFrames(); }

StoredFrames Skeleton::takeFrames() {
  StoredFrames frames;
  for (int i = 0; i < kJointCount; ++i) {
    frames.rotations[i].swap(joints[i]->rotations);
    frames.angles[i].swap(joints[i]->angles);
  }
  return frames;
}

void Skeleton::putFrames(StoredFrames&& frames) {
  for (int i = 0; i < kJointCount; ++i) {
    joints[i]->rotations.swap(frames.rotations[i]);
    joints[i]->angles.swap(frames.angles[i]);
  }
}

void Skeleton::truncateFrames(int count) {
  if (count < 0) count = 0;
  for (auto& joint : joints) joint->truncateFrames(static_cast<std::size_t>(count));
}

}  // namespace kinemora
