#include "figure/skeleton.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinemora {
namespace {

void preOrder(const Joint& joint, std::vector<const Joint*>& out) {
  out.push_back(&joint);
  for (const Joint* child : joint.children) preOrder(*child, out);
}

std::vector<const Joint*> preOrder(const Skeleton& skeleton) {
  std::vector<const Joint*> joints;
  preOrder(skeleton.root(), joints);
  return joints;
}

TEST(Skeleton, FreshFigureIsTheFixedTree) {
  auto skeleton = test::freshSkeleton();
  const std::vector<const Joint*> walk = preOrder(*skeleton);
  ASSERT_EQ(walk.size(), 20u);  // every joint reached once: 19 links
  int links = 0;
  std::string leaves;
  for (std::size_t n = 0; n < walk.size(); ++n) {
    const test::TreeEntry& expected = test::kPreOrder[n];
    EXPECT_STREQ(walk[n]->name, expected.name);
    EXPECT_EQ(walk[n], &skeleton->joint(expected.index)) << expected.name;
    EXPECT_EQ(walk[n]->offset, expected.offset) << expected.name;
    EXPECT_EQ(static_cast<int>(walk[n]->children.size()), expected.children) << expected.name;
    EXPECT_EQ(walk[n]->isRoot(), n == 0);
    links += static_cast<int>(walk[n]->children.size());
    if (walk[n]->children.empty()) leaves += std::string(walk[n]->name) + " ";
  }
  EXPECT_EQ(links, 19);
  EXPECT_EQ(leaves, "Nod Rwrist Lwrist Rankle Lankle ");
  EXPECT_FALSE(skeleton->noise);
  EXPECT_EQ(skeleton->frameCount(), 0);
  for (const Joint* joint : walk) {
    EXPECT_TRUE(!joint->motion.shapeX && !joint->motion.shapeY && !joint->motion.shapeZ);
  }
}

// The joints draw their seeds in index order, first thing in a fresh program.
TEST(Skeleton, NoiseSeedsAreTheFirstTwentyDraws) {
  auto skeleton = test::freshSkeleton();
  test::ReferenceStream reference;
  for (int i = 0; i < kJointCount; ++i) {
    const int seed = skeleton->joint(i).noiseSeed;
    EXPECT_EQ(seed, reference.next());
    EXPECT_GE(seed, 0);
    EXPECT_LE(seed, 32767);
  }
}

TEST(Skeleton, ClearFramesKeepsMotionSeedsAndTree) {
  auto skeleton = test::freshSkeleton();
  skeleton->setMotion(motionRecords(Motion::Rhumba));
  skeleton->appendTransition(13);
  skeleton->appendFrames(97);
  ASSERT_EQ(skeleton->frameCount(), 110);
  const std::vector<const Joint*> walkBefore = preOrder(*skeleton);
  std::vector<int> seeds;
  for (int i = 0; i < kJointCount; ++i) seeds.push_back(skeleton->joint(i).noiseSeed);

  skeleton->clearFrames();
  for (int i = 0; i < kJointCount; ++i) {
    const Joint& joint = skeleton->joint(i);
    EXPECT_TRUE(joint.rotations.empty() && joint.angles.empty()) << joint.name;
    EXPECT_EQ(joint.noiseSeed, seeds[i]);
    EXPECT_EQ(joint.motion.shapeX, motionRecords(Motion::Rhumba)[i].shapeX);
    EXPECT_EQ(joint.motion.extremeA, motionRecords(Motion::Rhumba)[i].extremeA);
  }
  EXPECT_EQ(preOrder(*skeleton), walkBefore);
  EXPECT_EQ(skeleton->root().offset, Vec3(0, 60, 0));
}

}  // namespace
}  // namespace kinemora
