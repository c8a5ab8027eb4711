#pragma once

#include <memory>
#include <string>

#include "encode/picture.h"
#include "encode/picture_encoder.h"
#include "export/output.h"

namespace kinemora {

// H.264 in an MP4 file through FFmpeg's libraries (libx264 where FFmpeg has
// it, else its first H.264 encoder): yuv420p in BT.709's limited range, 30
// pictures a second at a constant rate, one per picture added, at a quality
// that keeps a flat-coloured scene's edges (x264's CRF 18). The size's sides
// must be even (video_format.h rounds them). To an output that cannot seek
// (a pipe), the MP4 is fragmented: its index comes first and then in
// pieces, so nothing needs going back to. Nothing, with *error, when
// FFmpeg cannot start.
std::unique_ptr<PictureEncoder> openMp4Encoder(PictureSize size, Output& out, std::string* error);

}  // namespace kinemora
