#include "figure/frame_store.h"

#include <algorithm>

namespace kinemora {

Pose& FrameStore::append(const Pose& pose) {
  const std::size_t held = static_cast<std::size_t>(count_ / kChunkFrames - firstChunk_);
  if (count_ % kChunkFrames == 0 && held == chunks_.size()) {
    // Room first, grown the usual way: once the chunk is made, keeping it
    // must not fail.
    if (chunks_.size() == chunks_.capacity()) chunks_.reserve(2 * chunks_.size() + 8);
    chunks_.push_back(std::make_unique<Pose[]>(kChunkFrames));
  }
  Pose& added = slot(count_);
  added = pose;
  ++count_;
  return added;
}

void FrameStore::truncate(int count) {
  if (count < 0) count = 0;
  if (count >= count_) return;
  count_ = std::max(count, firstHeld());
  const std::size_t needed =
      static_cast<std::size_t>((count_ + kChunkFrames - 1) / kChunkFrames - firstChunk_);
  if (chunks_.size() > needed) chunks_.resize(needed);
}

void FrameStore::dropBefore(int frame) {
  const int last = count_ - 1;
  const int keepFrom = std::min(frame, last) / kChunkFrames;
  const int drop = keepFrom - firstChunk_;
  if (drop <= 0) return;
  chunks_.erase(chunks_.begin(), chunks_.begin() + drop);
  firstChunk_ = keepFrom;
}

}  // namespace kinemora
