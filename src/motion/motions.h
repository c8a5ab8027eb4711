#pragma once

#include <array>

#include "figure/figure_layout.h"
#include "motion/joint_motion.h"

namespace kinemora {

// The seven canned motions behind the buttons.
enum class Motion { Rhumba, Clap, Bend, Seizure, PunchR, PunchL, Cheer };
constexpr int kMotionCount = 7;

// A motion as the joints receive it: one record per joint, in joint-index
// order. Joints the motion does not move hold the still record (no shapes).
using MotionRecords = std::array<JointMotion, kJointCount>;

MotionRecords motionRecords(Motion motion);

// Frames one press appends: 97 (four 24-frame cycles, or eight 12-frame
// ones, plus the closing pose), 13 for a punch (one 12-frame cycle).
int motionFrameCount(Motion motion);

}  // namespace kinemora
