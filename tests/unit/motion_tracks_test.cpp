// Stored frames: what appendTransition and appendFrames store, and the
// channel angles a file gets from them.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "figure/motion_tracks.h"
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
Mat3 noiseMatrix(const NoiseTables& tables, double noiseArgument) {
  const double u = 1.0 / std::sqrt(3.0);
  return test::rodrigues(u, u, u, -radians(10.0 * perlinNoise(tables, noiseArgument)));
}

// A fresh composition's figure, and the appending a motion button does.
struct Figure : test::FreshFigure {
  bool noise = false;

  void transition(const MotionRecords& records, int count) {
    appendTransition(skeleton, records, count, noise, random);
  }
  void frames(const MotionRecords& records, int count) {
    appendFrames(skeleton, records, count, noise, random);
  }
  // One motion button's work, transition included.
  void press(Motion motion) {
    transition(motionRecords(motion), 13);
    frames(motionRecords(motion), motionEntry(motion).frames);
  }
  int count() const { return skeleton.frames.count(); }
  const Quaternion& rotation(int joint, int frame) const {
    return skeleton.frames[frame].rotations[joint];
  }
  Vec3 angles(int joint, int frame) const { return channelAngles(rotation(joint, frame)); }
};

// Waist held at 30 degrees about X, every other joint still.
MotionRecords waistAt30AboutX() {
  MotionRecords records{};
  JointMotion& waist = records[kWaist];
  waist.extremeA = waist.extremeB = Vec3(30, 0, 0);
  waist.shapeX = Shape::Sine;
  return records;
}

// The pose angles of a motion that draws no random numbers.
Vec3 poseAt(const JointMotion& motion, float t) {
  RandomStream unused;
  return poseAngles(motion, t, unused);
}

TEST(MotionTracks, CountsOfZeroOrLessStoreNothing) {
  Figure figure;
  const MotionRecords rhumba = motionRecords(Motion::Rhumba);
  for (int count : {0, -1, -13}) {
    figure.frames(rhumba, count);
    figure.transition(rhumba, count);
  }
  EXPECT_EQ(figure.count(), 0);
  figure.frames(rhumba, 5);
  figure.transition(rhumba, 0);
  EXPECT_EQ(figure.count(), 5);
}

TEST(MotionTracks, FirstTransitionStartsAtTheIdentity) {
  Figure figure;
  figure.transition(motionRecords(Motion::Cheer), 13);
  EXPECT_EQ(figure.count(), 13);
  for (int j = 0; j < kJointCount; ++j) {
    const Quaternion& q = figure.rotation(j, 0);
    EXPECT_TRUE(q.x == 0 && q.y == 0 && q.z == 0 && q.w == 1) << j;
    EXPECT_EQ(figure.angles(j, 0), Vec3(0, 0, 0)) << j;
  }
}

// The blend runs 0, 1/13, ... 12/13 of the way to the target (-30 about X as
// the file reads it); the motion frames then sit at the target.
TEST(MotionTracks, ThirtyDegreesAboutXTransitionThenMotion) {
  const double expectedX[] = {0,       -2.308,  -4.615,  -6.923,  -9.231,  -11.538, -13.846,
                              -16.154, -18.462, -20.769, -23.077, -25.385, -27.692};
  Figure figure;
  figure.transition(waistAt30AboutX(), 13);
  figure.frames(waistAt30AboutX(), 97);
  for (int i = 0; i < 110; ++i) {
    const Vec3 a = figure.angles(kWaist, i);
    EXPECT_NEAR(a.x, i < 13 ? expectedX[i] : -30.0, 5e-4) << "frame " << i;
    EXPECT_NEAR(a.y, 0, 1e-6);
    EXPECT_NEAR(a.z, 0, 1e-6);
  }
  EXPECT_LT(maxDifference(matrixOf(figure.rotation(kWaist, 13)), test::Rx(radians(-30))), 1e-5);
}

// A later transition blends from the last stored rotation towards the new
// motion's pose at a frame time equal to the frames already stored.
TEST(MotionTracks, TransitionHeadsForThePoseAtTheStoredFrameCount) {
  Figure figure;
  figure.press(Motion::Rhumba);
  figure.press(Motion::Bend);
  const MotionRecords bend = motionRecords(Motion::Bend);
  for (int j = 0; j < kJointCount; ++j) {
    const Mat3 target = poseMatrix(poseAt(bend[j], 110.0f));
    for (int i = 0; i < 13; ++i) {
      const Mat3 expected = test::blend(matrixOf(figure.rotation(j, 109)), target, i / 13.0);
      ASSERT_LT(maxDifference(matrixOf(figure.rotation(j, 110 + i)), expected), 1e-5)
          << j << " step " << i;
    }
  }
}

TEST(MotionTracks, MotionFramesAreThePoseRotations) {
  for (const MotionEntry& entry : kMotions) {
    const Motion motion = entry.motion;
    if (motion == Motion::Seizure) continue;
    Figure figure;
    const int frames = motionEntry(motion).frames;
    const MotionRecords records = motionRecords(motion);
    figure.frames(records, frames);
    for (int j = 0; j < kJointCount; ++j) {
      for (int t = 0; t < frames; ++t) {
        const Mat3 expected = poseMatrix(poseAt(records[j], static_cast<float>(t)));
        ASSERT_LT(maxDifference(matrixOf(figure.rotation(j, t)), expected), 1e-5)
            << "motion " << static_cast<int>(motion) << " joint " << j << " t " << t;
      }
    }
  }
}

// The file's angles must show what the view draws: for every stored frame,
// transitions and noise included, Rz(z) Rx(x) Ry(y) is the stored rotation.
TEST(MotionTracks, AnglesReproduceTheStoredRotation) {
  Figure figure;
  int pressed = 0;
  for (const MotionEntry& entry : kMotions) {
    for (int twice = 0; twice < 2; ++twice) {
      if (pressed++ == 5) figure.noise = true;
      figure.press(entry.motion);
    }
  }
  for (int j = 0; j < kJointCount; ++j) {
    for (int f = 0; f < figure.count(); ++f) {
      ASSERT_LT(maxDifference(test::channelMatrix(figure.angles(j, f)),
                              matrixOf(figure.rotation(j, f))),
                1e-4)
          << j << " frame " << f;
    }
  }
}

// With noise on, every frame of a joint but the root is its noise-off frame
// turned by the jitter of noiseSeed + frame time (transition step k of 13:
// noiseSeed + k/13). So the transition's target is clean, and every motion
// gets the same jitter frame for frame.
TEST(MotionTracks, NoiseJittersEveryJointButTheRoot) {
  for (Motion motion : {Motion::Bend, Motion::Cheer}) {
    Figure clean, noisy;
    noisy.noise = true;
    clean.press(motion);
    noisy.press(motion);
    // The tables a fresh stream draws after the noise seeds, as the noisy
    // press drew them.
    RandomStream stream;
    drawSkeleton(stream);
    const NoiseTables tables = drawNoiseTables(stream);
    for (int j = 0; j < kJointCount; ++j) {
      const int seed = noisy.skeleton.noiseSeeds[j];
      bool differs = false;
      for (int f = 0; f < clean.count(); ++f) {
        const Mat3 cleanMatrix = matrixOf(clean.rotation(j, f));
        const Mat3 noisyMatrix = matrixOf(noisy.rotation(j, f));
        if (j == kRoot) {
          ASSERT_EQ(noisyMatrix, cleanMatrix);
          continue;
        }
        const double argument = f < 13 ? seed + static_cast<double>(f / 13.0f)
                                       : static_cast<double>(seed + f - 13);
        ASSERT_LT(maxDifference(noisyMatrix, noiseMatrix(tables, argument) * cleanMatrix), 1e-5)
            << j << " frame " << f;
        differs = differs || maxDifference(noisyMatrix, cleanMatrix) > 1e-4;
      }
      EXPECT_EQ(differs, j != kRoot) << j;
    }
  }
}

// Seizure draws per frame, per joint in pre-order, per axis Z, X, Y; the
// transition draws once per joint for its target.
TEST(MotionTracks, SeizureDrawsInFramePreOrderAxisOrder) {
  Figure figure;
  figure.transition(motionRecords(Motion::Seizure), 13);
  figure.frames(motionRecords(Motion::Seizure), 3);

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
    ASSERT_LT(maxDifference(matrixOf(figure.rotation(j, 12)), last), 1e-5)
        << "transition, joint " << j;
  }
  for (int t = 0; t < 3; ++t) {
    for (const test::TreeEntry& entry : test::kPreOrder) {
      const int j = entry.index;
      const Mat3 expected = poseMatrix(nextPose(j));
      ASSERT_LT(maxDifference(matrixOf(figure.rotation(j, 13 + t)), expected), 1e-5)
          << "frame " << t << ", joint " << j;
    }
  }
  EXPECT_EQ(figure.random.stream.draw(), reference.next());  // nothing else was drawn
}

}  // namespace
}  // namespace kinemora
