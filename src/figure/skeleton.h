#pragma once

#include <array>
#include <cstddef>

#include "figure/frame_store.h"
#include "motion/joint_table.h"
#include "motion/random_stream.h"

namespace kinemora {

// What one stored frame takes in memory.
constexpr std::size_t kBytesPerStoredFrame = sizeof(Pose);

// The figure as a composition poses it: where on the noise curve each
// joint's jitter runs, and the frames stored since the last "clear". The
// joints themselves (names, parents, rest offsets) are the joint table's.
struct Skeleton {
  std::array<int, kJointCount> noiseSeeds{};  // 0..32767 each
  FrameStore frames;
};

// A figure with no frames, its noise seeds drawn from the stream in
// joint-index order: the first thing every composition draws.
Skeleton drawSkeleton(RandomStream& stream);

}  // namespace kinemora
