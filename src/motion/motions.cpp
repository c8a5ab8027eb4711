#include "motion/motions.h"

#include <iterator>

namespace kinemora {

namespace {

constexpr Shape sine = Shape::Sine;
constexpr Shape cosine = Shape::Cosine;
constexpr Shape dcos = Shape::DoubleCosine;
constexpr Shape rnd = Shape::Random;
constexpr Shape none = Shape::None;

// Root sways about Z, chests swing against each other, arms hold out front
// with the elbows pumping in opposite phase, the legs follow the sway.
constexpr MotionRow kRhumba[] = {
    // joint      extremeA (X, Y, Z)   extremeB (X, Y, Z)  shapeX  shapeY  shapeZ
    {kRoot,      {  0,   0,  10},     {  0,  0, -10},     sine,   none,   sine},
    {kRchest,    { 15,   0,   5},     {-15,  0,  -5},     cosine, none,   sine},
    {kLchest,    {-15,   0,  -5},     { 15,  0,   5},     cosine, none,   sine},
    {kRshoulder, {-45,   0,   0},     {-45,  0,   0},     sine,   none,   none},
    {kLshoulder, {-45,   0,   0},     {-45,  0,   0},     sine,   none,   none},
    {kRelbow,    {-90,   0,   0},     {-70,  0,   0},     sine,   none,   sine},
    {kLelbow,    {-70,   0,   0},     {-90,  0,   0},     sine,   none,   sine},
    {kRhip,      {-25, -15, -10},     {  0,  0,  10},     sine,   sine,   sine},
    {kLhip,      {  0,   0, -10},     {  0,  0,  10},     sine,   sine,   sine},
    {kRknee,     { 50,   0,   0},     {  0,  0,   0},     sine,   none,   sine},
    {kLknee,     {  0,   0,   0},     { 20,  0,   0},     sine,   none,   sine},
};

// Arms out front, elbows open and close about Z together.
constexpr MotionRow kClap[] = {
    // joint      extremeA (X, Y, Z)   extremeB (X, Y, Z)  shapeX  shapeY  shapeZ
    {kRshoulder, {-45,   0,   0},     {-45,  0,   0},     sine,   none,   sine},
    {kLshoulder, {-45,   0,   0},     {-45,  0,   0},     sine,   none,   sine},
    {kRelbow,    {-45,   0,  35},     {-45,  0,   0},     sine,   none,   sine},
    {kLelbow,    {-45,   0, -35},     {-45,  0,   0},     sine,   none,   sine},
};

// The waist bends 90 degrees each way; arms swing about Z in opposite phase.
constexpr MotionRow kBend[] = {
    // joint      extremeA (X, Y, Z)   extremeB (X, Y, Z)  shapeX  shapeY  shapeZ
    {kWaist,     { 90,   0,   0},     {-90,  0,   0},     sine,   none,   none},
    {kRshoulder, {-20,   0, -45},     {-20,  0,  45},     sine,   none,   sine},
    {kLshoulder, {-20,   0,  45},     {-20,  0, -45},     sine,   none,   sine},
    {kRelbow,    {  0,   0,   0},     {  0,  0,  45},     none,   none,   sine},
    {kLelbow,    {  0,   0,   0},     {  0,  0, -45},     none,   none,   sine},
};

// A fresh random value on every channel of every frame: the waist flails
// about X, every joint below it jitters by up to 2 degrees.
constexpr MotionRow kSeizure[] = {
    // joint      extremeA (X, Y, Z)   extremeB (X, Y, Z)  shapeX  shapeY  shapeZ
    {kWaist,     { 90,   0,   0},     {-90,  0,   0},     rnd,    none,   none},
    {kNeck,      {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kNod,       {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kRchest,    {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kLchest,    {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kRshoulder, {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kLshoulder, {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kRelbow,    {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kLelbow,    {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kRwrist,    {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kLwrist,    {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kRpelvis,   {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kLpelvis,   {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kRhip,      {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kLhip,      {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kRknee,     {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kLknee,     {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kRankle,    {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
    {kLankle,    {  2,   2,   2},     { -2, -2,  -2},     rnd,    rnd,    rnd},
};

// One right punch per press: guard at t = 0 and 12, extended at t = 6.
constexpr MotionRow kPunchR[] = {
    // joint      extremeA (X, Y, Z)   extremeB (X, Y, Z)  shapeX  shapeY  shapeZ
    {kWaist,     {   0,  0,   0},     { 10, -20,  0},     dcos,   dcos,   none},
    {kRshoulder, { -35,  0, -10},     {-75,   0,  0},     dcos,   cosine, dcos},
    {kLshoulder, { -10,  0,  15},     {-10,   0, 15},     dcos,   cosine, dcos},
    {kRelbow,    {-160,  0,  30},     {-40,   0, 30},     dcos,   none,   dcos},
    {kLelbow,    {-160,  0, -40},     {-160,  0, -40},    dcos,   none,   dcos},
};

// The mirror task for the left arm, from the same guard.
constexpr MotionRow kPunchL[] = {
    // joint      extremeA (X, Y, Z)   extremeB (X, Y, Z)  shapeX  shapeY  shapeZ
    {kWaist,     {   0,  0,   0},     { 10,  20,   0},    dcos,   dcos,   none},
    {kRshoulder, { -35,  0, -10},     {-35,   0, -10},    dcos,   cosine, dcos},
    {kLshoulder, { -10,  0,  15},     {-75,   0,   0},    dcos,   cosine, dcos},
    {kRelbow,    {-160,  0,  30},     {-160,  0,  30},    dcos,   none,   dcos},
    {kLelbow,    {-160,  0, -40},     {-40,   0, -40},    dcos,   none,   dcos},
};

// Arms overhead, elbows pumping, the waist swaying and leaning.
constexpr MotionRow kCheer[] = {
    // joint      extremeA (X, Y, Z)   extremeB (X, Y, Z)  shapeX  shapeY  shapeZ
    {kWaist,     {   0, -20,   0},    { 10,  20,   0},    dcos,   dcos,   none},
    {kRshoulder, {-180,   0, -10},    {-180,  0, -10},    dcos,   cosine, dcos},
    {kLshoulder, {-180,   0,  15},    {-180,  0,  15},    dcos,   cosine, dcos},
    {kRelbow,    {-100,   0,  30},    {-30,   0,  30},    dcos,   none,   dcos},
    {kLelbow,    {-100,   0, -40},    {-30,   0, -40},    dcos,   none,   dcos},
};

}  // namespace

// 97 frames are four 24-frame cycles (or eight 12-frame ones) and the
// closing pose; 13 are one 12-frame punch and its closing pose.
constexpr std::array<MotionEntry, kMotionCount> kMotions = {{
    // motion           label      frames  punch  rows
    {Motion::Rhumba,  "rhumba",   97,     false, kRhumba,  std::size(kRhumba)},
    {Motion::Clap,    "clap",     97,     false, kClap,    std::size(kClap)},
    {Motion::Bend,    "bend",     97,     false, kBend,    std::size(kBend)},
    {Motion::Seizure, "seizure",  97,     false, kSeizure, std::size(kSeizure)},
    {Motion::PunchR,  "punchR",   13,     true,  kPunchR,  std::size(kPunchR)},
    {Motion::PunchL,  "punchL",   13,     true,  kPunchL,  std::size(kPunchL)},
    {Motion::Cheer,   "cheer",    97,     false, kCheer,   std::size(kCheer)},
}};

constexpr bool inMotionOrder(const std::array<MotionEntry, kMotionCount>& table) {
  for (int i = 0; i < kMotionCount; ++i) {
    if (table[i].motion != static_cast<Motion>(i)) return false;
  }
  return true;
}
static_assert(inMotionOrder(kMotions), "kMotions[int(m)] must be the entry of m");

const MotionEntry* findMotion(std::string_view label) {
  for (const MotionEntry& entry : kMotions) {
    if (label == entry.label) return &entry;
  }
  return nullptr;
}

MotionRecords motionRecords(Motion motion) {
  const MotionEntry& entry = motionEntry(motion);
  MotionRecords records{};  // every joint still
  for (std::size_t i = 0; i < entry.rowCount; ++i) {
    const MotionRow& row = entry.rows[i];
    records[row.joint] = {row.extremeA, row.extremeB, row.shapeX, row.shapeY, row.shapeZ};
  }
  return records;
}

bool drawsRandom(Motion motion) {
  for (const JointMotion& record : motionRecords(motion)) {
    if (drawsRandom(record)) return true;
  }
  return false;
}

}  // namespace kinemora
