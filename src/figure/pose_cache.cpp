#include "figure/pose_cache.h"

#include "figure/motion_tracks.h"

namespace kinemora {

const std::vector<Pose>& PoseCache::frames(Motion motion, bool noise, const Skeleton& skeleton,
                                           Randomness& random) {
  std::vector<Pose>& cached = (noise ? noisy_ : plain_)[static_cast<int>(motion)];
  if (cached.empty()) {
    const MotionRecords records = motionRecords(motion);
    std::vector<Pose> made(static_cast<std::size_t>(motionEntry(motion).frames));
    for (std::size_t t = 0; t < made.size(); ++t) {
      poseFrame(skeleton, records, static_cast<int>(t), noise, random, made[t]);
    }
    cached = std::move(made);
  }
  return cached;
}

void PoseCache::forgetNoise() {
  for (std::vector<Pose>& frames : noisy_) std::vector<Pose>().swap(frames);
}

}  // namespace kinemora
