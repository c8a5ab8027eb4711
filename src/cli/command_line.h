#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compose/actions.h"
#include "encode/video_format.h"
#include "export/file_format.h"
#include "video/video_writer.h"

namespace kinemora {

// kinemora-compose's exit statuses besides 0.
constexpr int kExitWriteFailed = 1;  // a file not written, memory short
constexpr int kExitUsage = 2;        // bad usage, a composition not read

// What kinemora-compose's command line asks for, its targets checked.
struct Request {
  std::string output;                     // "-": standard output; empty: none
  FileFormat format = FileFormat::Bvh;    // by --format, or by the output's name
  std::optional<VideoFormat> video;       // a video instead, chosen the same way
  VideoShot shot;                         // the view's first camera; --size
  std::vector<std::string> compositions;  // -c files, read in order
  std::string saveComposition;            // --save-composition, extension added; empty: none
  std::vector<Action> actions;            // the words on the command line
  bool quiet = false;                     // --quiet: no progress, no summary
};

// Parses the arguments into *request; a status to exit with when they say
// so (help, version, bad usage: told on standard error), or nothing to go on.
std::optional<int> parseArguments(int argc, char** argv, Request* request);

}  // namespace kinemora
