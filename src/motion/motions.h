#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "motion/joint_motion.h"
#include "motion/joint_table.h"

namespace kinemora {

// The seven canned motions, in the order of their buttons.
enum class Motion { Rhumba, Clap, Bend, Seizure, PunchR, PunchL, Cheer };
constexpr int kMotionCount = 7;

// One joint a motion moves: its record, angles in degrees (X, Y, Z).
struct MotionRow {
  JointIndex joint;
  Vec3 extremeA;
  Vec3 extremeB;
  Shape shapeX, shapeY, shapeZ;
};

// Everything about one motion; the buttons, the action words, the composer
// and the tests all read it from here.
struct MotionEntry {
  Motion motion;
  const char* label;      // the button's label and the action word
  int frames;             // appended per press: 97, or 13 for one punch
  bool punch;             // a punch after a punch needs no transition
  const MotionRow* rows;  // the joints it moves; every other joint is still
  std::size_t rowCount;
};

// In Motion order, so kMotions[int(m)] is the entry of m.
extern const std::array<MotionEntry, kMotionCount> kMotions;

inline const MotionEntry& motionEntry(Motion motion) {
  return kMotions[static_cast<int>(motion)];
}
// The entry whose label is `label`, or nullptr.
const MotionEntry* findMotion(std::string_view label);

// Whether the motion's poses depend on the random stream (a random shape):
// only then does a press of it draw numbers, and its frames differ from one
// press to the next.
bool drawsRandom(Motion motion);

// A motion as the joints receive it: one record per joint, in joint-index
// order. Joints the motion does not move hold the still record (no shapes).
using MotionRecords = std::array<JointMotion, kJointCount>;
MotionRecords motionRecords(Motion motion);

}  // namespace kinemora
