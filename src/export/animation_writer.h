#pragma once

#include <memory>
#include <string>

#include "export/output.h"
#include "figure/frame_store.h"

namespace kinemora {

// An animation file written as its frames come: its frame count is known
// first, then the frames follow in order, in blocks from a FrameStore that
// may have let go of those already given, then the file is finished. So a
// composition of any length can be written while it is composed, in
// memory that does not grow with it. Each writer writes to one Output.
class AnimationWriter {
 public:
  virtual ~AnimationWriter() = default;

  // What comes before the frames, for an animation of frameCount frames.
  // False with *error when the format cannot hold that many.
  virtual bool begin(int frameCount, std::string* error) = 0;
  // Frames [from, to) of `frames`; `from` is where the last block ended.
  virtual bool add(const FrameStore& frames, int from, int to, std::string* error) = 0;
  // What comes after the frames, and everything flushed.
  virtual bool finish(std::string* error) = 0;
};

}  // namespace kinemora
