// kinemora-compose-video: films the video itself.
#include "cli/video_program.h"

namespace kinemora {

std::optional<int> filmElsewhere(char**) { return std::nullopt; }

std::unique_ptr<AnimationWriter> videoWriterFor(const Request& request, Output& out,
                                                FramesWritten written) {
  return videoWriter(*request.video, request.shot, out, std::move(written));
}

}  // namespace kinemora
