#include "encode/ffmpeg_output.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include <cerrno>
#include <cstdio>

namespace kinemora {

namespace {

constexpr int kBufferSize = 1 << 16;

Output& outputOf(void* opaque) { return *static_cast<Output*>(opaque); }

int writeBytes(void* opaque, std::uint8_t* bytes, int size) {
  Output& out = outputOf(opaque);
  out.bytes(bytes, static_cast<std::size_t>(size));
  return out.failed() ? AVERROR(out.error()) : size;
}

// FFmpeg asks for absolute positions only; the size it may ask about is
// not known here.
std::int64_t seekTo(void* opaque, std::int64_t offset, int whence) {
  if (whence != SEEK_SET) return AVERROR(ENOSYS);
  Output& out = outputOf(opaque);
  return out.seek(offset) ? offset : AVERROR(out.error());
}

}  // namespace

FfmpegOutput::FfmpegOutput(Output& out) : seekable_(out.seekable()) {
  auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
  if (!buffer) return;
  context_ = avio_alloc_context(buffer, kBufferSize, 1, &out, nullptr, writeBytes,
                                seekable_ ? seekTo : nullptr);
  if (!context_) av_free(buffer);
}

FfmpegOutput::~FfmpegOutput() {
  if (!context_) return;
  av_freep(&context_->buffer);
  avio_context_free(&context_);
}

}  // namespace kinemora
