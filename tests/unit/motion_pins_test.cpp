// Pins on the motion data: every channel of the seven motions, every cell of
// the noise gradients as the lattice reads them, and the stand-in for pi.
// The expected values are written the other way round from the code's
// tables: as closed formulas per channel, and as numbers worked out by a
// separate model of the definitions (see each table).
#include <cmath>

#include <gtest/gtest.h>

#include "math/angles.h"
#include "motion/motions.h"
#include "motion/noise.h"
#include "test_support.h"

namespace kinemora {
namespace {

// A channel's angle in degrees: base + swing * shape(t), with S, C, D the
// sine, cosine and double-cosine shapes and R a fresh random draw.
struct Channel {
  double base;
  double swing;
  char shape;  // 'S', 'C', 'D', 'R', or 0 for a constant
};
struct Pin {
  Motion motion;
  JointIndex joint;
  Channel x, y, z;
};

constexpr Channel O = {0, 0, 0};
constexpr Channel J = {-2, 4, 'R'};  // seizure's jitter
constexpr Channel c(double base) { return {base, 0, 0}; }

// Every joint a motion moves; any other joint stays at 0 on every channel.
const Pin kPins[] = {
    // motion        joint        X                  Y                 Z
    {Motion::Rhumba,  kRoot,      O,                 O,                {-10, 20, 'S'}},
    {Motion::Rhumba,  kRchest,    {-15, 30, 'C'},    O,                {-5, 10, 'S'}},
    {Motion::Rhumba,  kLchest,    {15, -30, 'C'},    O,                {5, -10, 'S'}},
    {Motion::Rhumba,  kRshoulder, c(-45),            O,                O},
    {Motion::Rhumba,  kLshoulder, c(-45),            O,                O},
    {Motion::Rhumba,  kRelbow,    {-70, -20, 'S'},   O,                O},
    {Motion::Rhumba,  kLelbow,    {-90, 20, 'S'},    O,                O},
    {Motion::Rhumba,  kRhip,      {0, -25, 'S'},     {0, -15, 'S'},    {10, -20, 'S'}},
    {Motion::Rhumba,  kLhip,      O,                 O,                {10, -20, 'S'}},
    {Motion::Rhumba,  kRknee,     {0, 50, 'S'},      O,                O},
    {Motion::Rhumba,  kLknee,     {20, -20, 'S'},    O,                O},
    {Motion::Clap,    kRshoulder, c(-45),            O,                O},
    {Motion::Clap,    kLshoulder, c(-45),            O,                O},
    {Motion::Clap,    kRelbow,    c(-45),            O,                {0, 35, 'S'}},
    {Motion::Clap,    kLelbow,    c(-45),            O,                {0, -35, 'S'}},
    {Motion::Bend,    kWaist,     {-90, 180, 'S'},   O,                O},
    {Motion::Bend,    kRshoulder, c(-20),            O,                {45, -90, 'S'}},
    {Motion::Bend,    kLshoulder, c(-20),            O,                {-45, 90, 'S'}},
    {Motion::Bend,    kRelbow,    O,                 O,                {45, -45, 'S'}},
    {Motion::Bend,    kLelbow,    O,                 O,                {-45, 45, 'S'}},
    {Motion::Seizure, kWaist,     {-90, 180, 'R'},   O,                O},
    {Motion::Seizure, kNeck,      J, J, J},
    {Motion::Seizure, kNod,       J, J, J},
    {Motion::Seizure, kRchest,    J, J, J},
    {Motion::Seizure, kLchest,    J, J, J},
    {Motion::Seizure, kRshoulder, J, J, J},
    {Motion::Seizure, kLshoulder, J, J, J},
    {Motion::Seizure, kRelbow,    J, J, J},
    {Motion::Seizure, kLelbow,    J, J, J},
    {Motion::Seizure, kRwrist,    J, J, J},
    {Motion::Seizure, kLwrist,    J, J, J},
    {Motion::Seizure, kRpelvis,   J, J, J},
    {Motion::Seizure, kLpelvis,   J, J, J},
    {Motion::Seizure, kRhip,      J, J, J},
    {Motion::Seizure, kLhip,      J, J, J},
    {Motion::Seizure, kRknee,     J, J, J},
    {Motion::Seizure, kLknee,     J, J, J},
    {Motion::Seizure, kRankle,    J, J, J},
    {Motion::Seizure, kLankle,    J, J, J},
    {Motion::PunchR,  kWaist,     {10, -10, 'D'},    {-20, 20, 'D'},   O},
    {Motion::PunchR,  kRshoulder, {-75, 40, 'D'},    O,                {0, -10, 'D'}},
    {Motion::PunchR,  kLshoulder, c(-10),            O,                c(15)},
    {Motion::PunchR,  kRelbow,    {-40, -120, 'D'},  O,                c(30)},
    {Motion::PunchR,  kLelbow,    c(-160),           O,                c(-40)},
    {Motion::PunchL,  kWaist,     {10, -10, 'D'},    {20, -20, 'D'},   O},
    {Motion::PunchL,  kRshoulder, c(-35),            O,                c(-10)},
    {Motion::PunchL,  kLshoulder, {-75, 65, 'D'},    O,                {0, 15, 'D'}},
    {Motion::PunchL,  kRelbow,    c(-160),           O,                c(30)},
    {Motion::PunchL,  kLelbow,    {-40, -120, 'D'},  O,                c(-40)},
    {Motion::Cheer,   kWaist,     {10, -10, 'D'},    {20, -40, 'D'},   O},
    {Motion::Cheer,   kRshoulder, c(-180),           O,                c(-10)},
    {Motion::Cheer,   kLshoulder, c(-180),           O,                c(15)},
    {Motion::Cheer,   kRelbow,    {-30, -70, 'D'},   O,                c(30)},
    {Motion::Cheer,   kLelbow,    {-30, -70, 'D'},   O,                c(-40)},
};

const Pin* pinOf(Motion motion, int joint) {
  for (const Pin& pin : kPins) {
    if (pin.motion == motion && pin.joint == joint) return &pin;
  }
  return nullptr;
}

// Shapes from their textbook form, with the exact pi/12 step.
double shapeValue(char shape, double t, test::ReferenceStream& stream) {
  const double k = test::kExactPi / 12;
  switch (shape) {
    case 'S': return (std::sin(t * k) + 1) / 2;
    case 'C': return (std::cos(t * k) + 1) / 2;
    case 'D': return (std::cos(2 * t * k) + 1) / 2;
    case 'R': return stream.next() / 32767.0;
    default: return 0;
  }
}

// The angles a pin gives at t, channels in the order Z, X, Y as the random
// draws go; a joint without a pin stays at 0.
Vec3 pinnedAngles(const Pin* pin, double t, test::ReferenceStream& stream) {
  Vec3 v;
  if (!pin) return v;
  auto angle = [&](const Channel& c) {
    return static_cast<float>(c.base + c.swing * shapeValue(c.shape, t, stream));
  };
  v.z = angle(pin->z);
  v.x = angle(pin->x);
  v.y = angle(pin->y);
  return v;
}

// Every channel of every joint at every frame time a press samples, the
// joints in index order.
TEST(MotionPins, EveryChannelFollowsItsFormula) {
  for (const MotionEntry& entry : kMotions) {
    const Motion motion = entry.motion;
    RandomStream drawn;
    test::ReferenceStream stream;
    const MotionRecords records = motionRecords(motion);
    for (int t = 0; t < motionEntry(motion).frames; ++t) {
      for (int j = 0; j < kJointCount; ++j) {
        const Vec3 expected = pinnedAngles(pinOf(motion, j), t, stream);
        const Vec3 a = poseAngles(records[j], static_cast<float>(t), drawn);
        const auto where = [&] {
          return ::testing::Message() << "motion " << static_cast<int>(motion) << " joint " << j
                                      << " t " << t;
        };
        ASSERT_NEAR(a.x, expected.x, 1e-4) << where();
        ASSERT_NEAR(a.y, expected.y, 1e-4) << where();
        ASSERT_NEAR(a.z, expected.z, 1e-4) << where();
      }
    }
  }
}

// The gradient at lattice point b, in 1/256 steps, for tables drawn first
// thing from a fresh stream. Worked out with a separate model of the
// definitions (the 15-bit generator; gradients (rand % 512 - 256) / 256 in
// index order; then for i = 255 down to 1 a swap with rand % 256) and read
// as gradient[permutation[b]].
const int kLatticeGradients[256] = {
    -215, -235, -254, -126, -131,   59,  -48, -103,  -51,  246,  105,  -31,   82, -226, -115, -199,
     248,  145,  -42,   62,  179,  -69,   84,  -52, -130, -128,   32,   36,  117,  114, -151, -235,
    -123,  -90,  -10,  177,   60,  179,   28,  200,  247,  -52,   31,  203, -159, -228, -184, -127,
     132,  244,  207,  -31,   54, -225, -113,  192,  137,  229,  144, -150, -166,   50,  -37,  201,
       3, -162,  -42, -243, -183, -121,  245,   74, -137, -225,  -18,  183, -182,  150, -192, -211,
     143, -186, -187, -197,  252,    9,  -98,   62,  211,  -82,    2,   20, -211,  108, -205,  235,
      68,   24,  154,  -59,  132, -206,   80, -112,  114,   71,  -41, -136,  232,  114,  -23,  -65,
      37, -238,  -36, -156, -237,   14, -138,  150,   83,  -90, -141, -213,  -82,  218, -161,   22,
     233, -117,  -43,  -99,  206,  178,  255, -130,   97,  -73, -243,  239,  203,  125,  213,  139,
      -3,  211, -163,  -15,   22, -208,  -44,  161, -128, -222,  103,  209,  -12,   34,   73,    6,
     242, -221,  185, -140,   29,  -49, -176, -130,   74, -144, -110,  -80,  217, -167,   12,   68,
    -238, -183, -114,  201,   79,  -44,  241, -153,  104, -169,  240, -225, -100, -227,  -54,  -44,
      50, -169, -209,  218,  102,  -48,   30, -103, -159, -149,  -34,  -66,   83,  157,   10,  -97,
      64, -212, -222,  187,  217,  104,   42, -183,  -44,  -26,  -42, -197,  -83,   14, -200,  191,
     230,   79,  -99, -183,  219,  -60,   77,  102, -236, -203, -121,  190, -133,    0, -136, -249,
    -205,   44,   50,  220, -252, -251,   -9,  234,  131, -189,  -44,   12,   18, -103,  -98,  164,
};

// Just past lattice point b, at b + 1/4096 (exact in single precision), the
// curve is that fraction of the gradient, to well under half a step.
TEST(MotionPins, NoiseGradientAtEveryLatticePoint) {
  RandomStream stream;
  const NoiseTables tables = drawNoiseTables(stream);
  for (int b = 0; b < 256; ++b) {
    const double slope = perlinNoise(tables, 10.0 * (b + 1.0 / 4096)) * 4096;
    EXPECT_EQ(std::lround(slope * 256), kLatticeGradients[b]) << "lattice point " << b;
  }
}

// 3.14159, not pi: stored files depend on it.
TEST(MotionPins, DegreesUseTheStandInForPi) {
  EXPECT_EQ(degreesToRadians(90), 1.5707950592041016f);  // exact pi: 1.5707964f
  EXPECT_NEAR(radiansToDegrees(1), 57.29582574928754, 1e-9);  // exact pi: 57.2957795
}

}  // namespace
}  // namespace kinemora
