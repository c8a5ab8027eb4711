#include "motion/motions.h"

#include <set>

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinemora {
namespace {

const Motion kPeriodicMotions[] = {Motion::Rhumba, Motion::Clap,   Motion::Bend,
                                   Motion::PunchR, Motion::PunchL, Motion::Cheer};

using JointSet = std::set<int>;

const JointSet kArms = {kRshoulder, kLshoulder, kRelbow, kLelbow};
const JointSet kWaistAndArms = {kWaist, kRshoulder, kLshoulder, kRelbow, kLelbow};

// The joints each motion rotates at some frame. Only rhumba turns the root
// (and, seizure's jitter aside, the chests and legs); only seizure turns the
// neck, nod, wrists, pelvis joints and ankles.
JointSet expectedMoved(Motion motion) {
  switch (motion) {
    case Motion::Rhumba:
      return {kRoot,   kRchest, kLchest, kRshoulder, kLshoulder, kRelbow,
              kLelbow, kRhip,   kLhip,   kRknee,     kLknee};
    case Motion::Clap: return kArms;
    case Motion::Seizure: {
      JointSet all;
      for (int j = kWaist; j < kJointCount; ++j) all.insert(j);
      return all;
    }
    default: return kWaistAndArms;  // bend, the punches, cheer
  }
}

bool isZero(const Vec3& a) { return a.x == 0 && a.y == 0 && a.z == 0; }

// The pose angles at t, drawing from `stream` (a fresh one by default).
Vec3 pose(const JointMotion& motion, float t) {
  RandomStream stream;
  return poseAngles(motion, t, stream);
}

void expectNear(const Vec3& a, const Vec3& b, double tolerance) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST(Motions, EachRotatesExactlyItsJoints) {
  RandomStream stream;
  for (const MotionEntry& entry : kMotions) {
    const Motion motion = entry.motion;
    const MotionRecords records = motionRecords(motion);
    JointSet moved;
    for (int j = 0; j < kJointCount; ++j)
      for (int t = 0; t < motionEntry(motion).frames; ++t)
        if (!isZero(poseAngles(records[j], static_cast<float>(t), stream))) moved.insert(j);
    EXPECT_EQ(moved, expectedMoved(motion)) << "motion " << static_cast<int>(motion);
  }
}

TEST(Motions, LastFramePoseRepeatsTheFirst) {
  for (Motion motion : kPeriodicMotions) {
    const MotionRecords records = motionRecords(motion);
    const float last = static_cast<float>(motionEntry(motion).frames - 1);
    for (int j = 0; j < kJointCount; ++j) {
      expectNear(pose(records[j], last), pose(records[j], 0), 1e-4);
    }
  }
}

TEST(Motions, PunchesStartFromTheSameGuard) {
  const MotionRecords right = motionRecords(Motion::PunchR);
  const MotionRecords left = motionRecords(Motion::PunchL);
  for (int j = 0; j < kJointCount; ++j) {
    expectNear(pose(right[j], 0), pose(left[j], 0), 1e-5);
  }
}

// The random weight stays below 1, but the top draw (32767) lands within
// 1e-9 of it, and storing the angle as a float rounds that up to the extreme
// itself: the ranges are closed at the top.
TEST(Motions, SeizureStaysInItsRanges) {
  RandomStream stream;
  const MotionRecords records = motionRecords(Motion::Seizure);
  for (int t = 0; t < 2000; ++t) {
    for (int j = 0; j < kJointCount; ++j) {
      const Vec3 a = poseAngles(records[j], static_cast<float>(t), stream);
      if (j == kRoot) {
        ASSERT_TRUE(isZero(a));
      } else if (j == kWaist) {
        ASSERT_GE(a.x, -90.0f);
        ASSERT_LE(a.x, 90.0f);
        ASSERT_EQ(a.y, 0.0f);
        ASSERT_EQ(a.z, 0.0f);
      } else {
        for (float v : {a.x, a.y, a.z}) {
          ASSERT_GE(v, -2.0f);
          ASSERT_LE(v, 2.0f);
        }
      }
    }
  }
}

TEST(PoseAngles, ChannelWithoutShapeIsZeroWhateverItsExtremes) {
  JointMotion m;
  m.extremeA = Vec3(30, 40, 50);
  m.extremeB = Vec3(-30, -40, -50);
  EXPECT_TRUE(isZero(pose(m, 6)));
  m.shapeY = Shape::Sine;  // only Y is driven
  expectNear(pose(m, 6), Vec3(0, 40, 0), 1e-5);
  expectNear(pose(m, 18), Vec3(0, -40, 0), 1e-5);
}

}  // namespace
}  // namespace kinemora
