#pragma once

#include <functional>
#include <memory>

#include "encode/picture.h"
#include "encode/video_format.h"
#include "export/animation_writer.h"
#include "export/output.h"
#include "view/camera.h"

namespace kinemora {

// What a video shows: the scene through a camera, at a size. By default
// what the window's view shows at its first size before it was turned.
struct VideoShot {
  Camera camera;
  PictureSize size{kFirstViewWidth, kFirstViewHeight};
};

// Told after each frame drawn and encoded, with the count so far; false
// stops the video, which then fails as cancelled.
using FramesWritten = std::function<bool(int written)>;

// A video of the frames, written as they come like any animation file:
// each frame is drawn off the screen as the window's view draws it
// (drawScene through the shot's camera, its aspect worked out for the
// video's size: videoSize), encoded, and let go of. An empty timeline is
// refused: a video needs a picture.
std::unique_ptr<AnimationWriter> videoWriter(VideoFormat format, const VideoShot& shot,
                                             Output& out, FramesWritten written = {});

// Frames 0..frameCount-1 of `frames`, held all at once, as a video; false
// with *error when drawing, encoding or the output fail, or when `written`
// stopped it.
bool writeVideo(const FrameStore& frames, int frameCount, VideoFormat format,
                const VideoShot& shot, Output& out, FramesWritten written, std::string* error);

}  // namespace kinemora
