#pragma once

#include "export/output.h"

struct AVIOContext;

namespace kinemora {

// FFmpeg's output (an AVIOContext) writing onto an Output, so that a video
// goes where every other file goes: a save's temporary file, or standard
// output. It can seek, as a muxer that fills in sizes afterwards needs, only
// when the Output can (Output::seekable).
class FfmpegOutput {
 public:
  explicit FfmpegOutput(Output& out);
  ~FfmpegOutput();
  FfmpegOutput(const FfmpegOutput&) = delete;
  FfmpegOutput& operator=(const FfmpegOutput&) = delete;

  // Nothing when memory ran out.
  AVIOContext* context() const { return context_; }
  bool seekable() const { return seekable_; }

 private:
  bool seekable_;
  AVIOContext* context_ = nullptr;
};

}  // namespace kinemora
