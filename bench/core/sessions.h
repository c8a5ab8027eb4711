#pragma once

#include "app/composer.h"

namespace kinemora::bench {

// Presses the seven buttons in turn ("punchL" right after "punchR", so
// without a transition), flipping "add noise" before every round, until
// the timeline holds at least `frames` frames. Returns the presses made.
int pressUntil(Composer& composer, int frames);

// Bytes the joints' tracks hold: reserved, and actually used.
struct TrackBytes {
  double reserved = 0;
  double used = 0;
};
TrackBytes trackBytes(const Skeleton& skeleton);

}  // namespace kinemora::bench
