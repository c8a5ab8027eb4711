// Stored frames: what appendTransition and appendFrames put in the
// `rotations` and `angles` tracks.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "figure/skeleton.h"
#include "test_support.h"

namespace kinemora {
namespace {

using test::Mat3;
using test::operator*;
using test::matrixOf;
using test::maxDifference;
using test::radians;

// The rotation a pose (degrees) stands for: Z acts first, then X, then Y,
// each by the negated angle.
Mat3 poseMatrix(const Vec3& pose) {
  return test::Ry(-radians(pose.y)) * test::Rx(-radians(pose.x)) * test::Rz(-radians(pose.z));
}

// The jitter of noise value n: 10 n degrees about (1, 1, 1), negated.
Mat3 noiseMatrix(double noiseArgument) {
  const double u = 1.0 / std::sqrt(3.0);
  return test::rodrigues(u, u, u, -radians(10.0 * perlinNoise(noiseArgument)));
}

// One motion button's work, transition included.
void pressWithTransition(Skeleton& skeleton, Motion motion) {
  skeleton.setMotion(motionRecords(motion));
  skeleton.appendTransition(13);
  skeleton.appendFrames(motionEntry(motion).frames);
}

// Waist held at 30 degrees about X, every other joint still.
void holdWaistAt30AboutX(Skeleton& skeleton) {
  MotionRecords records{};
  JointMotion& waist = records[kWaist];
  waist.extremeA = waist.extremeB = Vec3(30, 0, 0);
  waist.shapeX = sineShape;
  skeleton.setMotion(records);
}

void expectFrameCount(const Skeleton& skeleton, std::size_t frames) {
  for (int j = 0; j < kJointCount; ++j) {
    EXPECT_EQ(skeleton.joint(j).rotations.size(), frames);
    EXPECT_EQ(skeleton.joint(j).angles.size(), frames);
  }
}

TEST(MotionTracks, CountsOfZeroOrLessStoreNothing) {
  auto skeleton = test::freshSkeleton();
  skeleton->setMotion(motionRecords(Motion::Rhumba));
  for (int count : {0, -1, -13}) {
    skeleton->appendFrames(count);
    skeleton->appendTransition(count);
  }
  expectFrameCount(*skeleton, 0);
  skeleton->appendFrames(5);
  skeleton->appendTransition(0);
  expectFrameCount(*skeleton, 5);
}

TEST(MotionTracks, FirstTransitionStartsAtTheIdentity) {
  auto skeleton = test::freshSkeleton();
  skeleton->setMotion(motionRecords(Motion::Cheer));
  skeleton->appendTransition(13);
  expectFrameCount(*skeleton, 13);
  for (int j = 0; j < kJointCount; ++j) {
    const Joint& joint = skeleton->joint(j);
    const Quaternion& q = joint.rotations[0];
    EXPECT_TRUE(q.x == 0 && q.y == 0 && q.z == 0 && q.w == 1) << joint.name;
    EXPECT_EQ(joint.angles[0], Vec3(0, 0, 0)) << joint.name;
  }
}

// The blend runs 0, 1/13, ... 12/13 of the way to the target (-30 about X as
// the file reads it); the motion frames then sit at the target.
TEST(MotionTracks, ThirtyDegreesAboutXTransitionThenMotion) {
  const double expectedX[] = {0,       -2.308,  -4.615,  -6.923,  -9.231,  -11.538, -13.846,
                              -16.154, -18.462, -20.769, -23.077, -25.385, -27.692};
  auto skeleton = test::freshSkeleton();
  holdWaistAt30AboutX(*skeleton);
  skeleton->appendTransition(13);
  skeleton->appendFrames(97);
  const Joint& waist = skeleton->joint(kWaist);
  for (int i = 0; i < 110; ++i) {
    EXPECT_NEAR(waist.angles[i].x, i < 13 ? expectedX[i] : -30.0, 5e-4) << "frame " << i;
    EXPECT_NEAR(waist.angles[i].y, 0, 1e-6);
    EXPECT_NEAR(waist.angles[i].z, 0, 1e-6);
  }
  EXPECT_LT(maxDifference(matrixOf(waist.rotations[13]), test::Rx(radians(-30))), 1e-5);
}

// A later transition blends from the last stored rotation towards the new
// motion's pose at a frame time equal to the frames already stored.
TEST(MotionTracks, TransitionHeadsForThePoseAtTheStoredFrameCount) {
  auto skeleton = test::freshSkeleton();
  pressWithTransition(*skeleton, Motion::Rhumba);
  pressWithTransition(*skeleton, Motion::Bend);
  const MotionRecords bend = motionRecords(Motion::Bend);
  for (int j = 0; j < kJointCount; ++j) {
    const Joint& joint = skeleton->joint(j);
    const Mat3 target = poseMatrix(poseAngles(bend[j], 110.0f));
    for (int i = 0; i < 13; ++i) {
      const Mat3 expected = test::blend(matrixOf(joint.rotations[109]), target, i / 13.0);
      ASSERT_LT(maxDifference(matrixOf(joint.rotations[110 + i]), expected), 1e-5)
          << joint.name << " step " << i;
    }
  }
}

TEST(MotionTracks, MotionFramesAreThePoseRotations) {
  for (const MotionEntry& entry : kMotions) {
    const Motion motion = entry.motion;
    if (motion == Motion::Seizure) continue;
    auto skeleton = test::freshSkeleton();
    skeleton->setMotion(motionRecords(motion));
    const int frames = motionEntry(motion).frames;
    skeleton->appendFrames(frames);
    const MotionRecords records = motionRecords(motion);
    for (int j = 0; j < kJointCount; ++j) {
      for (int t = 0; t < frames; ++t) {
        const Mat3 expected = poseMatrix(poseAngles(records[j], static_cast<float>(t)));
        ASSERT_LT(maxDifference(matrixOf(skeleton->joint(j).rotations[t]), expected), 1e-5)
            << "motion " << static_cast<int>(motion) << " joint " << j << " t " << t;
      }
    }
  }
}

// The file's angles must show what the view draws: for every stored frame,
// transitions and noise included, Rz(z) Rx(x) Ry(y) is the stored rotation.
TEST(MotionTracks, AnglesReproduceTheStoredRotation) {
  auto skeleton = test::freshSkeleton();
  int pressed = 0;
  for (const MotionEntry& entry : kMotions) {
    const Motion motion = entry.motion;
    for (int twice = 0; twice < 2; ++twice) {
      if (pressed++ == 5) skeleton->noise = true;
      pressWithTransition(*skeleton, motion);
    }
  }
  for (int j = 0; j < kJointCount; ++j) {
    const Joint& joint = skeleton->joint(j);
    for (std::size_t f = 0; f < joint.rotations.size(); ++f) {
      ASSERT_LT(maxDifference(test::channelMatrix(joint.angles[f]), matrixOf(joint.rotations[f])),
                1e-4)
          << joint.name << " frame " << f;
    }
  }
}

// With noise on, every frame of a joint but the root is its noise-off frame
// turned by the jitter of noiseSeed + frame time (transition step k of 13:
// noiseSeed + k/13). So the transition's target is clean, and every motion
// gets the same jitter frame for frame.
TEST(MotionTracks, NoiseJittersEveryJointButTheRoot) {
  for (Motion motion : {Motion::Bend, Motion::Cheer}) {
    auto clean = test::freshSkeleton();
    auto noisy = test::freshSkeleton();
    noisy->noise = true;
    pressWithTransition(*clean, motion);
    pressWithTransition(*noisy, motion);
    for (int j = 0; j < kJointCount; ++j) {
      const Joint& c = clean->joint(j);
      const Joint& n = noisy->joint(j);
      bool differs = false;
      for (int f = 0; f < clean->frameCount(); ++f) {
        const Mat3 cleanMatrix = matrixOf(c.rotations[f]);
        const Mat3 noisyMatrix = matrixOf(n.rotations[f]);
        if (j == kRoot) {
          ASSERT_EQ(noisyMatrix, cleanMatrix);
          ASSERT_EQ(n.angles[f], c.angles[f]);
          continue;
        }
        const double argument = f < 13 ? n.noiseSeed + static_cast<double>(f / 13.0f)
                                       : static_cast<double>(n.noiseSeed + f - 13);
        ASSERT_LT(maxDifference(noisyMatrix, noiseMatrix(argument) * cleanMatrix), 1e-5)
            << c.name << " frame " << f;
        differs = differs || maxDifference(noisyMatrix, cleanMatrix) > 1e-4;
      }
      EXPECT_EQ(differs, j != kRoot) << c.name;
    }
  }
}

// Seizure draws per frame, per joint in pre-order, per axis Z, X, Y; the
// transition draws once per joint for its target.
TEST(MotionTracks, SeizureDrawsInFramePreOrderAxisOrder) {
  auto skeleton = test::freshSkeleton();
  skeleton->setMotion(motionRecords(Motion::Seizure));
  skeleton->appendTransition(13);
  skeleton->appendFrames(3);

  test::ReferenceStream reference;
  reference.skip(kJointCount);  // the noise seeds
  const double scale = 3.0518509e-05f;
  auto draw = [&](double low, double high) {
    return static_cast<float>(low + reference.next() * scale * (high - low));
  };
  auto nextPose = [&](int joint) {
    Vec3 pose;
    if (joint == kWaist) {
      pose.x = draw(-90, 90);
    } else if (joint != kRoot) {
      pose.z = draw(-2, 2);
      pose.x = draw(-2, 2);
      pose.y = draw(-2, 2);
    }
    return pose;
  };

  const Mat3 identity = test::Rx(0);
  for (const test::TreeEntry& entry : test::kPreOrder) {
    const int j = entry.index;
    const Mat3 last = test::blend(identity, poseMatrix(nextPose(j)), 12.0 / 13.0);
    ASSERT_LT(maxDifference(matrixOf(skeleton->joint(j).rotations[12]), last), 1e-5)
        << "transition, joint " << j;
  }
  for (int t = 0; t < 3; ++t) {
    for (const test::TreeEntry& entry : test::kPreOrder) {
      const int j = entry.index;
      const Mat3 expected = poseMatrix(nextPose(j));
      ASSERT_LT(maxDifference(matrixOf(skeleton->joint(j).rotations[13 + t]), expected), 1e-5)
          << "frame " << t << ", joint " << j;
    }
  }
  EXPECT_EQ(drawRandom(), reference.next());  // nothing else was drawn
}

}  // namespace
}  // namespace kinemora
