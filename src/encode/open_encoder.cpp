// Apart from the format table, so that a program that only chooses a format
// (kinemora-compose) does not link the encoders and their libraries.
#include "encode/gif_encoder.h"
#include "encode/mp4_encoder.h"
#include "encode/video_format.h"

namespace kinemora {

std::unique_ptr<PictureEncoder> openEncoder(VideoFormat format, PictureSize size,
                                            const std::vector<Rgb>& palette, Output& out,
                                            std::string* error) {
  const PictureSize encoded = videoSize(format, size);
  switch (format) {
    case VideoFormat::Gif: return openGifEncoder(encoded, palette, out, error);
    case VideoFormat::Mp4: break;
  }
  return openMp4Encoder(encoded, out, error);
}

}  // namespace kinemora
