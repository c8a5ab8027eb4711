#pragma once

#include <array>
#include <vector>

#include "figure/frame_store.h"
#include "figure/skeleton.h"
#include "motion/motions.h"
#include "motion/randomness.h"

namespace kinemora {

// The frames a press appends after its transition are the same at every
// press of a motion that draws no random numbers: worked out once per
// composition, then copied. Those with noise depend on the composition's
// noise seeds and tables as well, and are kept apart, so that they can be
// forgotten with the tables.
class PoseCache {
 public:
  // The motion's frames at frame times 0..frames-1, as appendFrames would
  // make them now. The motion must not draw random numbers; with noise, the
  // tables are drawn first if they are not yet, as the press would draw
  // them. May throw std::bad_alloc, keeping nothing new.
  const std::vector<Pose>& frames(Motion motion, bool noise, const Skeleton& skeleton,
                                  Randomness& random);
  // Forgets the frames with noise. Never allocates.
  void forgetNoise();

 private:
  std::array<std::vector<Pose>, kMotionCount> plain_;
  std::array<std::vector<Pose>, kMotionCount> noisy_;
};

}  // namespace kinemora
