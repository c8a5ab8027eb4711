#pragma once

#include <cstdio>

#include "export/save_result.h"
#include "figure/frame_store.h"

namespace kinemora {

// The BVH file: the fixed hierarchy (tab-indented, offsets with seven
// significant digits, the root's zero), then one line of channels per frame
// (three digits; the root's position is where it stands, 0 60 0), at a
// frame time of 0.033333 s. The channels are worked out from the stored
// rotations as they are written.

// Writes frames 0..frameCount-1. The file at path is replaced only when
// everything was written; on failure it is left as it was.
SaveResult writeBvh(const FrameStore& frames, const char* path, int frameCount);
// The same text to an open stream (standard output, say).
SaveResult writeBvh(const FrameStore& frames, std::FILE* out, int frameCount);

}  // namespace kinemora
