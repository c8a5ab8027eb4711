#pragma once

#include <memory>

#include "export/animation_writer.h"
#include "export/output.h"

namespace kinemora {

// The BVH file: the fixed hierarchy (tab-indented, offsets with seven
// significant digits, the root's zero), then one line of channels per frame
// (three digits; the root's position is where it stands, 0 60 0), at a
// frame time of 0.033333 s. The channels are worked out from the stored
// rotations as they are written.
std::unique_ptr<AnimationWriter> bvhWriter(Output& out);

}  // namespace kinemora
