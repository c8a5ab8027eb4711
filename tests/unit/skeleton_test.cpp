#include "figure/skeleton.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.h"

namespace kinemora {
namespace {

struct PreOrderEntry {
  const char* name;
  Vec3 offset;
  int children;
};

// The tree as a depth-first walk from the root.
const PreOrderEntry kPreOrder[] = {
    // name         offset            children
    {"Root",      {  0,  60, 0},     3},
    {"Waist",     {  0,   0, 0},     3},
    {"Neck",      {  0,  20, 0},     1},
    {"Nod",       {  0,   5, 0},     0},
    {"Rchest",    {  0,  20, 0},     1},
    {"Rshoulder", { 10,   0, 0},     1},
    {"Relbow",    {  0, -20, 0},     1},
    {"Rwrist",    {  0, -20, 0},     0},
    {"Lchest",    {  0,  20, 0},     1},
    {"Lshoulder", {-10,   0, 0},     1},
    {"Lelbow",    {  0, -20, 0},     1},
    {"Lwrist",    {  0, -20, 0},     0},
    {"Rpelvis",   {  0,  -5, 0},     1},
    {"Rhip",      {  5,   0, 0},     1},
    {"Rknee",     {  0, -25, 0},     1},
    {"Rankle",    {  0, -25, 0},     0},
    {"Lpelvis",   {  0,  -5, 0},     1},
    {"Lhip",      { -5,   0, 0},     1},
    {"Lknee",     {  0, -25, 0},     1},
    {"Lankle",    {  0, -25, 0},     0},
};

// Joint-index order: the order of Skeleton::joints and of the motion tables.
const char* const kIndexOrder[] = {
    "Root",   "Waist",  "Neck",  "Nod",  "Rchest", "Lchest", "Rshoulder", "Lshoulder", "Relbow",
    "Lelbow", "Rwrist", "Lwrist", "Rpelvis", "Lpelvis", "Rhip", "Lhip", "Rknee", "Lknee",
    "Rankle", "Lankle"};

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
  for (int i = 0; i < kJointCount; ++i) EXPECT_STREQ(skeleton->joint(i).name, kIndexOrder[i]);

  const std::vector<const Joint*> walk = preOrder(*skeleton);
  ASSERT_EQ(walk.size(), 20u);  // every joint reached once: 19 links
  int links = 0;
  std::string leaves;
  for (std::size_t n = 0; n < walk.size(); ++n) {
    const PreOrderEntry& expected = kPreOrder[n];
    EXPECT_STREQ(walk[n]->name, expected.name);
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

TEST(Skeleton, AssignMotionCopiesSharedRecords) {
  auto skeleton = test::freshSkeleton();
  JointMotion still;
  JointMotion shared;
  shared.extremeA = Vec3(30, 0, 0);
  shared.extremeB = Vec3(-30, 0, 0);
  shared.shapeX = sineShape;
  std::vector<const JointMotion*> records(kJointCount, &still);
  records[kRelbow] = records[kLelbow] = &shared;
  skeleton->assignMotion(records);

  shared.extremeA = Vec3(99, 99, 99);  // the joints keep their own copies
  shared.shapeX = nullptr;
  for (int j : {kRelbow, kLelbow}) {
    const JointMotion& m = skeleton->joint(j).motion;
    EXPECT_EQ(m.extremeA, Vec3(30, 0, 0));
    EXPECT_EQ(m.extremeB, Vec3(-30, 0, 0));
    EXPECT_EQ(m.shapeX, &sineShape);
  }
  EXPECT_EQ(skeleton->joint(kRoot).motion.shapeX, nullptr);
}

TEST(Skeleton, ClearFramesKeepsMotionSeedsAndTree) {
  auto skeleton = test::freshSkeleton();
  skeleton->rhumba();
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
