#include "figure/skeleton.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinemora {
namespace {

// Depth first from the root, children in the order of the joint table.
void walk(int joint, std::vector<int>& out) {
  out.push_back(joint);
  for (int child = 0; child < kJointCount; ++child) {
    if (kFigureJoints[child].parent == joint) walk(child, out);
  }
}

TEST(Skeleton, TheJointTableIsTheFixedTree) {
  std::vector<int> order;
  walk(kRoot, order);
  ASSERT_EQ(order.size(), 20u);  // every joint reached once from the root
  std::string leaves;
  for (std::size_t n = 0; n < order.size(); ++n) {
    const test::TreeEntry& expected = test::kPreOrder[n];
    const int joint = order[n];
    EXPECT_EQ(joint, expected.index) << expected.name;
    EXPECT_EQ(kPreOrder[n], expected.index) << expected.name;
    EXPECT_STREQ(kFigureJoints[joint].name, expected.name);
    EXPECT_EQ(kFigureJoints[joint].offset, expected.offset) << expected.name;
    EXPECT_EQ(isLeaf(joint), expected.children == 0) << expected.name;
    if (isLeaf(joint)) leaves += std::string(kFigureJoints[joint].name) + " ";
  }
  EXPECT_EQ(leaves, "Nod Rwrist Lwrist Rankle Lankle ");
  EXPECT_EQ(restPositions()[kLankle], Vec3(-5, 5, 0));
}

// The joints draw their seeds in index order, first thing in a composition.
TEST(Skeleton, NoiseSeedsAreTheFirstTwentyDraws) {
  test::FreshFigure fresh;
  test::ReferenceStream reference;
  for (int seed : fresh.skeleton.noiseSeeds) EXPECT_EQ(seed, reference.next());
  EXPECT_EQ(fresh.random.stream.draw(), reference.next());
  EXPECT_TRUE(fresh.skeleton.frames.empty());
}

// Frames never move once stored: a composition grows without copying, and
// letting go of the written front keeps every later frame where it was.
TEST(FrameStore, FramesStayWhereTheyAreAsTheStoreGrowsAndShrinks) {
  FrameStore frames;
  std::vector<const Pose*> at;
  for (int f = 0; f < 1000; ++f) {
    frames.append().rotations[kNod].x = static_cast<float>(f);
    at.push_back(&frames[f]);
  }
  frames.truncate(700);
  frames.dropBefore(600);
  EXPECT_EQ(frames.count(), 700);
  EXPECT_LE(frames.firstHeld(), 600);
  for (int f = frames.firstHeld(); f < frames.count(); ++f) {
    ASSERT_EQ(&frames[f], at[f]);
    ASSERT_EQ(frames[f].rotations[kNod].x, static_cast<float>(f));
  }
  EXPECT_EQ(frames.append().rotations[kNod].x, 0.0f);  // a new frame is at rest
  frames.dropBefore(100000);
  EXPECT_EQ(frames.back().rotations[kNod].x, 0.0f);  // the last frame is always held
}

}  // namespace
}  // namespace kinemora
