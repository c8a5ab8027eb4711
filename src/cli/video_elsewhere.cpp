// kinemora-compose: hands a video to kinemora-compose-video, found beside it
// (the build tree) or where the install puts it.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/video_program.h"

namespace kinemora {

namespace {

constexpr const char* kVideoProgram = "kinemora-compose-video";

// The folder of this program's file, links followed; empty when unknown.
std::string ownFolder() {
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  const std::string self(path, static_cast<std::size_t>(n));
  return self.substr(0, self.rfind('/') + 1);
}

}  // namespace

std::optional<int> filmElsewhere(char** argv) {
  const std::string folder = ownFolder();
  int error = ENOENT;
  // Never a name alone, which would look in the working folder.
  for (const char* where : {"", KINEMORA_VIDEO_PROGRAM_FROM_BIN "/"}) {
    if (folder.empty()) break;
    const std::string program = folder + where + kVideoProgram;
    ::execv(program.c_str(), argv);  // returns only when it failed
    if (errno != ENOENT) error = errno;  // one that is there but fails says more
  }
  std::fprintf(stderr, "kinemora-compose: videos are filmed by %s, which could not be run: %s\n",
               kVideoProgram, std::strerror(error));
  return kExitWriteFailed;
}

// Never asked for: filmElsewhere has handed every video on.
std::unique_ptr<AnimationWriter> videoWriterFor(const Request&, Output&, FramesWritten) {
  return nullptr;
}

}  // namespace kinemora
