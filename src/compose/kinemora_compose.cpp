// kinemora-compose: the program's buttons from the command line. Writes the
// BVH file that File > Save File would write after the same presses in a
// freshly started program, or the glTF file of File > Export glTF.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "compose/actions.h"
#include "compose/composer.h"
#include "compose/composition_file.h"
#include "compose/history.h"
#include "export/file_format.h"
#include "export/replacing_file.h"
#include "export/shown_text.h"

namespace {

using kinemora::Composer;

constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 2;

// The help, around the motion words from the motion table.
const char kUsageHead[] =
    "Usage: kinemora-compose [-c FILE] [-o FILE] [--format bvh|glb|gltf]\n"
    "                        [--save-composition FILE] [--] ACTION...\n"
    "\n"
    "Composes an animation from canned motions, as the buttons of Kinemora\n"
    "do, and writes it as a BVH or glTF file: the same file File > Save File\n"
    "or File > Export glTF writes after the same presses in a freshly started\n"
    "program.\n"
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
    "              without it, or with -o -, write to standard output\n"
    "  --format FORMAT\n"
    "              bvh, glb (binary glTF) or gltf (glTF text, one file);\n"
    "              without it FILE's extension decides (.glb, .gltf, any other\n"
    "              BVH), and standard output gets BVH\n"
    "  --save-composition FILE\n"
    "              write the actions in effect as a composition (.kinemora) that\n"
    "              Kinemora opens; with it and no -o, no animation is written\n"
    "  -h, --help  show this help\n"
    "  --version   show the version\n"
    "  --          what follows is actions only\n"
    "\n"
    "The motion queue and the frame counts go to standard error.\n"
    "Exit status: 0 written, 1 the file could not be written or memory ran out,\n"
    "2 bad usage or a composition that cannot be read.\n";

std::string usage() {
  std::string motions;
  for (const kinemora::MotionEntry& entry : kinemora::kMotions) {
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

// No allocation here: stdio puts the message together alone.
int outOfMemory(const char* what) {
  std::fprintf(stderr, "kinemora-compose: out of memory %s\n", what);
  return kExitWriteFailed;
}

// What the command line asks for.
struct Request {
  std::string output;                     // "-": standard output; empty: none
  std::optional<kinemora::FileFormat> format;  // none: by the output's name
  std::vector<std::string> compositions;  // -c files, read in order
  std::string saveComposition;            // --save-composition; empty: none
  std::vector<kinemora::Action> actions;  // the words on the command line
};

// Parses the arguments into *request; a status to exit with when they say
// so (help, version, bad usage), or -1 to go on.
int parseArguments(int argc, char** argv, Request* request) {
  bool optionsEnded = false;
  bool outputGiven = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
      const std::optional<kinemora::Action> action = kinemora::actionNamed(arg);
      if (!action) {
        return usageError("unknown action '" + kinemora::printable(arg) +
                          "'; valid actions: " + kinemora::actionWords());
      }
      request->actions.push_back(*action);
    } else if (!std::strcmp(arg, "--")) {
      optionsEnded = true;
    } else if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
      return printText(usage().c_str());
    } else if (!std::strcmp(arg, "--version")) {
      return printText("kinemora-compose " KINEMORA_VERSION "\n");
    } else if (!std::strcmp(arg, "-o") || !std::strcmp(arg, "-c") ||
               !std::strcmp(arg, "--save-composition")) {
      if (i + 1 >= argc) return usageError(std::string("option ") + arg + " needs a file name");
      const std::string file = argv[++i];
      if (arg[1] == 'o') {
        request->output = file;
        outputGiven = true;
      } else if (arg[1] == 'c') {
        request->compositions.push_back(file);
      } else {
        request->saveComposition = file;
      }
    } else if (!std::strcmp(arg, "--format")) {
      if (i + 1 >= argc) {
        return usageError("option --format needs one of: " + kinemora::formatWords());
      }
      request->format = kinemora::formatNamed(argv[++i]);
      if (!request->format) {
        return usageError("unknown format '" + kinemora::printable(argv[i]) +
                          "'; valid formats: " + kinemora::formatWords());
      }
    } else {
      return usageError("unknown option '" + kinemora::printable(arg) + "'");
    }
  }
  // The animation goes to standard output unless -o says otherwise, or only
  // a composition was asked for.
  if (!outputGiven && request->saveComposition.empty()) request->output = "-";
  if (request->output == "-" && request->saveComposition == "-") {
    return usageError("the animation and the composition cannot both go to standard output");
  }
  if (!request->format) {
    request->format = request->output == "-" ? kinemora::FileFormat::Bvh
                                              : kinemora::formatOfPath(request->output);
  }
  return -1;
}

// The -c files' words, then the command line's, into `actions`.
int readCompositions(const Request& request, std::vector<kinemora::Action>* actions) {
  for (const std::string& path : request.compositions) {
    std::vector<kinemora::Action> read;
    std::string error;
    if (!kinemora::readComposition(path, &read, &error)) {
      std::fprintf(stderr, "kinemora-compose: %s\n", error.c_str());
      return kExitUsage;
    }
    actions->insert(actions->end(), read.begin(), read.end());
  }
  actions->insert(actions->end(), request.actions.begin(), request.actions.end());
  return -1;
}

int reportSaveFailure(const std::string& path, const kinemora::SaveResult& result) {
  std::fprintf(stderr, "kinemora-compose: %s\n",
               path == "-" ? ("standard output: " + result.message).c_str()
                           : result.message.c_str());
  return kExitWriteFailed;
}

}  // namespace

int main(int argc, char** argv) {
  kinemora::removeTemporaryFileOnSignals();

  Request request;
  std::vector<kinemora::Action> actions;
  if (const int status = parseArguments(argc, argv, &request); status >= 0) return status;
  if (const int status = readCompositions(request, &actions); status >= 0) return status;

  kinemora::Skeleton skeleton;
  Composer composer(skeleton);
  kinemora::History history(composer);
  try {
    for (const kinemora::Action& action : actions) history.perform(action);
  } catch (const std::bad_alloc&) {
    return outOfMemory("while composing; nothing was written");
  }

  try {
    if (!request.saveComposition.empty()) {
      const kinemora::SaveResult saved = request.saveComposition == "-"
          ? kinemora::writeComposition(stdout, history.actions())
          : kinemora::writeComposition(request.saveComposition, history.actions());
      if (!saved) return reportSaveFailure(request.saveComposition, saved);
    }
    if (!request.output.empty()) {
      const kinemora::SaveResult result = request.output == "-"
          ? composer.save(stdout, *request.format)
          : composer.save(request.output.c_str(), *request.format);
      if (!result) return reportSaveFailure(request.output, result);
    }
  } catch (const std::bad_alloc&) {
    return outOfMemory("while writing; an existing file was left as it was");
  }
  std::fprintf(stderr, "motion queue: %s\nframes stored: %d\nframes written: %d\n",
               composer.queueText().c_str(), skeleton.frameCount(),
               composer.frameCount());
  return 0;
}
