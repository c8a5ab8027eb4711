#pragma once

#include "compose/composer.h"

namespace kinemora::bench {

// Presses the seven buttons in turn ("punchL" right after "punchR", so
// without a transition), flipping "add noise" before every round, until
// the timeline holds at least `frames` frames. Returns the presses made.
int pressUntil(Composer& composer, int frames);

// CPU time of this thread, in seconds: other processes on a shared machine
// do not count, page faults and copies made by the work timed do.
double threadSeconds();

// Bytes of frame data the frames hold (without the storage's own
// bookkeeping, which only an allocation count sees).
double frameBytesUsed(const FrameStore& frames);

}  // namespace kinemora::bench
