#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "math/quaternion.h"
#include "motion/joint_table.h"

namespace kinemora {

// One stored frame: each joint's rotation relative to its parent, noise
// included, in joint-index order. The identity by default.
struct Pose {
  std::array<Quaternion, kJointCount> rotations;
};

// The frames of a composition, counted from 0, in chunks: appending never
// moves a stored frame, so even a very long session never pauses to regrow,
// and a writer can let go of the frames it has written while more come.
class FrameStore {
 public:
  FrameStore() = default;
  // Moving hands the frames over without copying or allocating; the store
  // moved from is left empty.
  FrameStore(FrameStore&& other) noexcept { swap(other); }
  FrameStore& operator=(FrameStore&& other) noexcept {
    FrameStore().swap(*this);
    swap(other);
    return *this;
  }
  FrameStore(const FrameStore&) = delete;
  FrameStore& operator=(const FrameStore&) = delete;
  void swap(FrameStore& other) noexcept {
    chunks_.swap(other.chunks_);
    std::swap(firstChunk_, other.firstChunk_);
    std::swap(count_, other.count_);
  }

  // Frames stored, those let go of included.
  int count() const { return count_; }
  bool empty() const { return count_ == 0; }
  // The first frame still held: 0 unless dropBefore let go of some.
  int firstHeld() const { return firstChunk_ * kChunkFrames; }

  // A held frame: firstHeld() <= frame < count().
  const Pose& operator[](int frame) const { return slot(frame); }
  Pose& operator[](int frame) { return slot(frame); }
  const Pose& back() const { return slot(count_ - 1); }

  // A new last frame, every rotation the identity, or a copy of `pose`. May
  // throw std::bad_alloc, leaving the store as it was.
  Pose& append() { return append(Pose()); }
  Pose& append(const Pose& pose);
  // Keeps the first `count` frames; a longer count changes nothing. Never
  // allocates, so it can take back an append that ran out of memory.
  void truncate(int count);
  // Lets go of the chunks that hold only frames before `frame`; count()
  // stays. The last frame is always held.
  void dropBefore(int frame);

 private:
  static constexpr int kChunkFrames = 256;

  Pose& slot(int frame) const {
    return chunks_[frame / kChunkFrames - firstChunk_][frame % kChunkFrames];
  }

  std::vector<std::unique_ptr<Pose[]>> chunks_;
  int firstChunk_ = 0;  // chunks let go of at the front
  int count_ = 0;
};

}  // namespace kinemora
