#include "cli/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/output_target.h"
#include "export/shown_text.h"

namespace kinemora {

namespace {

// The help, around the motion words from the motion table.
const char kUsageHead[] =
    "Usage: kinemora-compose [-c FILE] [-o FILE] [--format bvh|glb|gltf|mp4|gif]\n"
    "                        [--size WxH] [--save-composition FILE] [--quiet]\n"
    "                        [--] ACTION...\n"
    "\n"
    "Composes an animation from canned motions, as the buttons of Kinemora\n"
    "do, and writes it as a BVH or glTF file: the same file File > Save File\n"
    "or File > Export glTF writes after the same presses in a freshly started\n"
    "program; or films it as an MP4 video or an animated GIF, drawn as the\n"
    "window draws it, without a display.\n"
    "\n"
    "Actions, applied in order:\n"
    "  ";
const char kUsageTail[] =
    "\n"
    "              append that motion (blended in by a 13-frame transition\n"
    "              unless it repeats the last motion, or is a punch after a punch)\n"
    "  noise       flip \"add noise\" for the motions that follow\n"
    "  clear       empty the animation\n"
    "  undo        take back the last action still in effect\n"
    "  redo        do again the last action taken back\n"
    "\n"
    "Options:\n"
    "  -c FILE     first the actions of the composition FILE (- for standard\n"
    "              input), then those of the command line\n"
    "  -o FILE     write to FILE (replaced only once it is fully written);\n"
    "              without it, or with -o -, write to standard output; never\n"
    "              to a composition (.kinemora)\n"
    "  --format FORMAT\n"
    "              bvh, glb (binary glTF), gltf (glTF text, one file), mp4\n"
    "              (H.264 video, 30 pictures a second) or gif (animated GIF,\n"
    "              looping), in any case; the binary ones never to a terminal;\n"
    "              without it FILE's extension decides (.glb, .gltf, .mp4,\n"
    "              .gif, any other BVH), and standard output gets BVH\n"
    "  --size WxH  the video's pictures, in pixels (default 690x550, the\n"
    "              window's view at first); MP4 rounds odd sides up\n"
    "  --save-composition FILE\n"
    "              write the actions in effect as a composition that Kinemora\n"
    "              opens (.kinemora added to a name without an extension), after\n"
    "              the animation; with it and no -o, no animation is written\n"
    "  -q, --quiet tell nothing but errors: no progress, no summary\n"
    "  -h, --help  show this help\n"
    "  --version   show the version\n"
    "  --          what follows is actions only\n"
    "\n"
    "Frames are written as they are composed (a video's pictures drawn and\n"
    "encoded one by one), so memory does not grow with the animation's\n"
    "length. On a terminal, a run that takes more than a second shows its\n"
    "progress; the motion queue and the frame counts follow, all on standard\n"
    "error.\n"
    "Exit status: 0 written, 1 the file could not be written or there is not\n"
    "enough memory, 2 bad usage, a composition that cannot be read or a video\n"
    "of no frames.\n";

std::string usage() {
  std::string motions;
  for (const MotionEntry& entry : kMotions) {
    if (!motions.empty()) motions += ' ';
    motions += entry.label;
  }
  return kUsageHead + motions + kUsageTail;
}

int usageError(const std::string& message) {
  std::fprintf(stderr, "kinemora-compose: %s\nTry 'kinemora-compose --help'.\n",
               message.c_str());
  return kExitUsage;
}

// Help and version go to standard output; a write that fails there (a full
// device, a closed pipe) is a failure like any other.
int printText(const char* text) {
  std::fputs(text, stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "kinemora-compose: standard output: %s\n", std::strerror(errno));
    return kExitWriteFailed;
  }
  return 0;
}

bool takesFile(const char* option) {
  return !std::strcmp(option, "-o") || !std::strcmp(option, "-c") ||
         !std::strcmp(option, "--save-composition");
}

// The file of -o, -c or --save-composition, into the request.
std::optional<int> takeFile(const char* option, const char* file, Request* request) {
  if (!file) return usageError(std::string("option ") + option + " needs a file name");
  if (!*file) return usageError(std::string("the file name after ") + option + " is empty");
  if (option[1] == 'o') {
    request->output = file;
  } else if (option[1] == 'c') {
    request->compositions.push_back(file);
  } else {
    request->saveComposition = file;
  }
  return std::nullopt;
}

std::string allFormatWords() { return formatWords() + ' ' + videoFormatWords(); }

std::optional<int> takeFormat(const char* word, bool* given, Request* request) {
  if (!word) return usageError("option --format needs one of: " + allFormatWords());
  const std::optional<FileFormat> format = formatNamed(word);
  request->video = videoFormatNamed(word);
  if (!format && !request->video) {
    return usageError("unknown format '" + shownText(word) + "'; valid formats: " +
                      allFormatWords());
  }
  if (format) request->format = *format;
  *given = true;
  return std::nullopt;
}

// One side of --size: a whole number of pixels, 1 to kMaxSide.
constexpr long kMaxSide = 8192;
bool readSide(const char* text, char** end, int* side) {
  if (*text < '0' || *text > '9') return false;
  errno = 0;
  const long n = std::strtol(text, end, 10);
  *side = static_cast<int>(n);
  return errno == 0 && n >= 1 && n <= kMaxSide;
}

std::optional<int> takeSize(const char* text, bool* given, Request* request) {
  char* end = nullptr;
  PictureSize& size = request->shot.size;
  if (!text || !readSide(text, &end, &size.width) || (*end != 'x' && *end != 'X') ||
      !readSide(end + 1, &end, &size.height) || *end) {
    return usageError("option --size needs WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxSide) +
                      " pixels, such as 640x480");
  }
  *given = true;
  return std::nullopt;
}

// How the output's form is called in a refusal to write it to a terminal;
// empty for text.
std::string binaryForm(const Request& request) {
  if (request.video) return std::string(videoFormatName(*request.video));
  return request.format == FileFormat::Glb ? "binary glTF" : "";
}

// What the options leave open, settled; then the targets checked.
std::optional<int> settle(bool outputGiven, bool formatGiven, bool sizeGiven, Request* request) {
  // The animation goes to standard output unless -o says otherwise, or only
  // a composition was asked for.
  if (!outputGiven && request->saveComposition.empty()) request->output = "-";
  if (!request->saveComposition.empty()) {
    request->saveComposition = compositionTarget(request->saveComposition);
  }
  if (!formatGiven && request->output != "-") {
    request->format = formatOfPath(request->output);
    request->video = videoFormatOfPath(request->output);
  }
  if (sizeGiven && !request->video) return usageError("--size is for videos (mp4, gif) only");
  if (const auto refusal =
          targetRefusal(request->output, binaryForm(*request), request->saveComposition)) {
    return usageError(*refusal);
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> parseArguments(int argc, char** argv, Request* request) {
  bool optionsEnded = false, outputGiven = false, formatGiven = false, sizeGiven = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    std::optional<int> status;
    if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
      const std::optional<Action> action = actionNamed(arg);
      if (!action) {
        return usageError("unknown action '" + shownText(arg) +
                          "'; valid actions: " + actionWords());
      }
      request->actions.push_back(*action);
    } else if (!std::strcmp(arg, "--")) {
      optionsEnded = true;
    } else if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
      return printText(usage().c_str());
    } else if (!std::strcmp(arg, "-q") || !std::strcmp(arg, "--quiet")) {
      request->quiet = true;
    } else if (!std::strcmp(arg, "--version")) {
      return printText("kinemora-compose " KINEMORA_VERSION "\n");
    } else if (takesFile(arg)) {
      outputGiven = outputGiven || arg[1] == 'o';
      status = takeFile(arg, next, request);
      ++i;
    } else if (!std::strcmp(arg, "--format")) {
      status = takeFormat(next, &formatGiven, request);
      ++i;
    } else if (!std::strcmp(arg, "--size")) {
      status = takeSize(next, &sizeGiven, request);
      ++i;
    } else {
      return usageError("unknown option '" + shownText(arg) + "'");
    }
    if (status) return status;
  }
  return settle(outputGiven, formatGiven, sizeGiven, request);
}

}  // namespace kinemora
