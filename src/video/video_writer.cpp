#include "video/video_writer.h"

#include "video/offscreen_renderer.h"
#include "view/figure_drawing.h"

namespace kinemora {

namespace {

class VideoWriter : public AnimationWriter {
 public:
  VideoWriter(VideoFormat format, const VideoShot& shot, Output& out, FramesWritten written)
      : format_(format), shot_(shot), out_(out), written_(std::move(written)) {}

  bool begin(int frameCount, std::string* error) override;
  bool add(const FrameStore& frames, int from, int to, std::string* error) override;
  bool finish(std::string* error) override { return encoder_->finish(error); }

 private:
  VideoFormat format_;
  VideoShot shot_;
  Output& out_;
  FramesWritten written_;
  OffscreenRenderer renderer_;
  std::unique_ptr<PictureEncoder> encoder_;
  Picture picture_;
  int count_ = 0;
};

bool VideoWriter::begin(int frameCount, std::string* error) {
  if (frameCount == 0) {
    *error = "the timeline is empty, and a video needs at least one frame";
    return false;
  }
  const PictureSize size = videoSize(format_, shot_.size);
  shot_.camera.aspect = aspectAt(size.width, size.height);
  if (!renderer_.open(size, error)) return false;
  encoder_ = openEncoder(format_, size, renderer_.storedColours(sceneColours()), out_, error);
  return encoder_ != nullptr;
}

bool VideoWriter::add(const FrameStore& frames, int from, int to, std::string* error) {
  for (int frame = from; frame < to; ++frame) {
    renderer_.render(shot_.camera, frames[frame], &picture_);
    if (!encoder_->add(picture_, error)) return false;
    if (written_ && !written_(++count_)) {
      *error = "cancelled";
      return false;
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<AnimationWriter> videoWriter(VideoFormat format, const VideoShot& shot,
                                             Output& out, FramesWritten written) {
  return std::make_unique<VideoWriter>(format, shot, out, std::move(written));
}

bool writeVideo(const FrameStore& frames, int frameCount, VideoFormat format,
                const VideoShot& shot, Output& out, FramesWritten written, std::string* error) {
  const auto writer = videoWriter(format, shot, out, std::move(written));
  return writer->begin(frameCount, error) && writer->add(frames, 0, frameCount, error) &&
         writer->finish(error);
}

}  // namespace kinemora
