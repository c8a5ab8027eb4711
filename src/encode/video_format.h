#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encode/picture.h"
#include "encode/picture_encoder.h"
#include "export/output.h"

namespace kinemora {

// The forms a video can take, and which one a name asks for: the video
// counterpart of export/file_format.h. The window and kinemora-compose both
// choose through here.
enum class VideoFormat {
  Mp4,  // mp4_encoder.h: H.264
  Gif,  // gif_encoder.h: an animated GIF that loops
};

// By the path's extension, in any case: ".mp4" or ".gif"; nothing for any
// other name.
std::optional<VideoFormat> videoFormatOfPath(std::string_view path);
// By a format word, in any case: "mp4" or "gif"; nothing for any other word.
std::optional<VideoFormat> videoFormatNamed(std::string_view word);
// The format words, for help and messages: "mp4 gif".
std::string videoFormatWords();
// What the format's files are called in messages: "MP4 video".
std::string_view videoFormatName(VideoFormat format);

// The size of the format's pictures for pictures asked of `size`: H.264
// takes even sides only, so MP4 rounds odd ones up.
PictureSize videoSize(VideoFormat format, PictureSize size);

// The format's encoder for pictures of videoSize(format, size), writing to
// `out`; the palette is the colours a GIF keeps exactly. Nothing, with
// *error, when it cannot start.
std::unique_ptr<PictureEncoder> openEncoder(VideoFormat format, PictureSize size,
                                            const std::vector<Rgb>& palette, Output& out,
                                            std::string* error);

}  // namespace kinemora
