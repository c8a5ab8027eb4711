#include "motion/joint_table.h"

namespace kinemora {

// Right-hand joints on +X, left-hand on -X, Y up; the root stands 60 units
// above the floor.
const JointLayout kFigureJoints[kJointCount] = {
    // name         parent      offset x, y, z
    {"Root",      kNoParent,  {  0,  60, 0}},
    {"Waist",     kRoot,      {  0,   0, 0}},
    {"Neck",      kWaist,     {  0,  20, 0}},
    {"Nod",       kNeck,      {  0,   5, 0}},
    {"Rchest",    kWaist,     {  0,  20, 0}},
    {"Lchest",    kWaist,     {  0,  20, 0}},
    {"Rshoulder", kRchest,    { 10,   0, 0}},
    {"Lshoulder", kLchest,    {-10,   0, 0}},
    {"Relbow",    kRshoulder, {  0, -20, 0}},
    {"Lelbow",    kLshoulder, {  0, -20, 0}},
    {"Rwrist",    kRelbow,    {  0, -20, 0}},
    {"Lwrist",    kLelbow,    {  0, -20, 0}},
    {"Rpelvis",   kRoot,      {  0,  -5, 0}},
    {"Lpelvis",   kRoot,      {  0,  -5, 0}},
    {"Rhip",      kRpelvis,   {  5,   0, 0}},
    {"Lhip",      kLpelvis,   { -5,   0, 0}},
    {"Rknee",     kRhip,      {  0, -25, 0}},
    {"Lknee",     kLhip,      {  0, -25, 0}},
    {"Rankle",    kRknee,     {  0, -25, 0}},
    {"Lankle",    kLknee,     {  0, -25, 0}},
};

const std::array<JointIndex, kJointCount> kPreOrder = {
    kRoot,   kWaist,  kNeck,   kNod,   kRchest,  kRshoulder, kRelbow,
    kRwrist, kLchest, kLshoulder, kLelbow, kLwrist, kRpelvis, kRhip,
    kRknee,  kRankle, kLpelvis, kLhip,  kLknee,  kLankle,
};

bool isLeaf(int joint) {
  for (const JointLayout& j : kFigureJoints) {
    if (j.parent == joint) return false;
  }
  return true;
}

std::array<Vec3, kJointCount> restPositions() {
  std::array<Vec3, kJointCount> at{};
  for (int i = 0; i < kJointCount; ++i) {  // parents first
    const Vec3& o = kFigureJoints[i].offset;
    const Vec3 base = kFigureJoints[i].parent == kNoParent ? Vec3() : at[kFigureJoints[i].parent];
    at[i] = Vec3(base.x + o.x, base.y + o.y, base.z + o.z);
  }
  return at;
}

}  // namespace kinemora
