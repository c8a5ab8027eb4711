#include "motion/joint_table.h"

namespace kinemora {

// Right-hand joints on +X, left-hand on -X, Y up; the root stands 60 units
// above the floor.
const JointLayout kFigureJoints[kJointCount] = {
    // name         offset x, y, z
    {"Root",      {  0,  60, 0}},
    {"Waist",     {  0,   0, 0}},
    {"Neck",      {  0,  20, 0}},
    {"Nod",       {  0,   5, 0}},
    {"Rchest",    {  0,  20, 0}},
    {"Lchest",    {  0,  20, 0}},
    {"Rshoulder", { 10,   0, 0}},
    {"Lshoulder", {-10,   0, 0}},
    {"Relbow",    {  0, -20, 0}},
    {"Lelbow",    {  0, -20, 0}},
    {"Rwrist",    {  0, -20, 0}},
    {"Lwrist",    {  0, -20, 0}},
    {"Rpelvis",   {  0,  -5, 0}},
    {"Lpelvis",   {  0,  -5, 0}},
    {"Rhip",      {  5,   0, 0}},
    {"Lhip",      { -5,   0, 0}},
    {"Rknee",     {  0, -25, 0}},
    {"Lknee",     {  0, -25, 0}},
    {"Rankle",    {  0, -25, 0}},
    {"Lankle",    {  0, -25, 0}},
};

const JointLink kFigureLinks[kLinkCount] = {
    {kRoot, kWaist},        {kWaist, kNeck},        {kWaist, kRchest},
    {kWaist, kLchest},      {kRoot, kRpelvis},      {kRoot, kLpelvis},
    {kNeck, kNod},          {kRchest, kRshoulder},  {kRshoulder, kRelbow},
    {kRelbow, kRwrist},     {kLchest, kLshoulder},  {kLshoulder, kLelbow},
    {kLelbow, kLwrist},     {kRpelvis, kRhip},      {kRhip, kRknee},
    {kRknee, kRankle},      {kLpelvis, kLhip},      {kLhip, kLknee},
    {kLknee, kLankle},
};

}  // namespace kinemora
