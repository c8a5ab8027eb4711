#include "figure/skeleton.h"

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

void Skeleton::assignMotion(std::vector<const JointMotion*> records) {
  for (int i = 0; i < kJointCount && i < static_cast<int>(records.size()); ++i) {
    joints[i]->setMotion(*records[i]);
  }
}

void Skeleton::layMotion(Motion motion) {
  // Straight from the records, with no list to allocate: a press that ran
  // out of memory lays the motion before it again.
  const MotionRecords records = motionRecords(motion);
  for (int i = 0; i < kJointCount; ++i) joints[i]->setMotion(records[i]);
}

void Skeleton::rhumba() { layMotion(Motion::Rhumba); }
void Skeleton::clap() { layMotion(Motion::Clap); }
void Skeleton::bend() { layMotion(Motion::Bend); }
void Skeleton::seizure() { layMotion(Motion::Seizure); }
void Skeleton::punchR() { layMotion(Motion::PunchR); }
void Skeleton::punchL() { layMotion(Motion::PunchL); }
void Skeleton::cheer() { layMotion(Motion::Cheer); }

void Skeleton::appendFrames(int count) {
  for (int t = 0; t < count; ++t) root().appendFrame(t, noise);
}

void Skeleton::appendTransition(int count) { root().appendTransition(count, noise); }

void Skeleton::clearFrames() { root().clearFrames(); }

void Skeleton::truncateFrames(int count) {
  if (count < 0) count = 0;
  for (auto& joint : joints) joint->truncateFrames(static_cast<std::size_t>(count));
}

}  // namespace kinemora
