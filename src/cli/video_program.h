#pragma once

#include <memory>
#include <optional>

#include "cli/command_line.h"
#include "export/animation_writer.h"
#include "export/output.h"
#include "video/video_writer.h"

namespace kinemora {

// Videos need FFmpeg's and OpenGL's libraries, and loading them takes
// longer than a short BVH file takes to write. So kinemora-compose writes
// animation files alone, and runs kinemora-compose-video (the same program
// with videos) in its place when a video is asked for. Each links one
// definition of these: video_elsewhere.cpp or video_here.cpp.

// Called before anything is read or written. kinemora-compose runs
// kinemora-compose-video with the same arguments, and returns only when it
// could not, with the status to exit with; kinemora-compose-video returns
// nothing: the video is filmed here.
std::optional<int> filmElsewhere(char** argv);

// The request's video writer on `out` (in kinemora-compose-video).
std::unique_ptr<AnimationWriter> videoWriterFor(const Request& request, Output& out,
                                                FramesWritten written);

}  // namespace kinemora
