#pragma once

#include "motion/noise.h"
#include "motion/random_stream.h"

namespace kinemora {

// Everything random in one composition: its stream, and the noise tables it
// draws from that stream on first use. Each composition has its own, so two
// compositions never disturb each other, not even in two threads.
struct Randomness {
  RandomStream stream;
  Noise noise;
};

}  // namespace kinemora
