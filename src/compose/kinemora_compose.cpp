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
#include "export/replacing_file.h"

namespace {

using kinemora::Composer;

constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 2;

// The help, around the motion words from the motion table.
const char kUsageHead[] =
    "Usage: kinemora-compose [-o FILE] [--format bvh|glb|gltf] [--] ACTION...\n"
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
    "\n"
    "Options:\n"
    "  -o FILE     write to FILE (replaced only once it is fully written);\n"
    "              without it, or with -o -, write to standard output\n"
    "  --format FORMAT\n"
    "              bvh, glb (binary glTF) or gltf (glTF text, one file);\n"
    "              without it FILE's extension decides (.glb, .gltf, any other\n"
    "              BVH), and standard output gets BVH\n"
    "  -h, --help  show this help\n"
    "  --version   show the version\n"
    "  --          what follows is actions only\n"
    "\n"
    "The motion queue and the frame counts go to standard error.\n"
    "Exit status: 0 written, 1 the file could not be written or memory ran out,\n"
    "2 bad usage.\n";

std::string usage() {
  std::string motions;
  for (const kinemora::MotionEntry& entry : kinemora::kMotions) {
    if (!motions.empty()) motions += ' ';
    motions += entry.label;
  }
  return kUsageHead + motions + kUsageTail;
}

// A word as the terminal should show it: control characters (an escape
// sequence, a line break) as C escapes, so that nothing typed can move the
// cursor or recolour the screen.
std::string printable(const char* word) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(word); *p; ++p) {
    if (*p == '\\') {
      out += "\\\\";
    } else if (*p < 0x20 || *p == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", *p);
      out += escaped;
    } else {
      out += static_cast<char>(*p);
    }
  }
  return out;
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

}  // namespace

int main(int argc, char** argv) {
  kinemora::removeTemporaryFileOnSignals();

  std::string output = "-";
  std::optional<kinemora::FileFormat> format;  // none: by the output's name
  std::vector<kinemora::Action> actions;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
      const std::optional<kinemora::Action> action = kinemora::actionNamed(arg);
      if (!action) {
        return usageError("unknown action '" + printable(arg) +
                          "'; valid actions: " + kinemora::actionWords());
      }
      actions.push_back(*action);
    } else if (!std::strcmp(arg, "--")) {
      optionsEnded = true;
    } else if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
      return printText(usage().c_str());
    } else if (!std::strcmp(arg, "--version")) {
      return printText("kinemora-compose " KINEMORA_VERSION "\n");
    } else if (!std::strcmp(arg, "-o")) {
      if (i + 1 >= argc) return usageError("option -o needs a file name");
      output = argv[++i];
    } else if (!std::strcmp(arg, "--format")) {
      if (i + 1 >= argc) {
        return usageError("option --format needs one of: " + kinemora::formatWords());
      }
      format = kinemora::formatNamed(argv[++i]);
      if (!format) {
        return usageError("unknown format '" + printable(argv[i]) +
                          "'; valid formats: " + kinemora::formatWords());
      }
    } else {
      return usageError("unknown option '" + printable(arg) + "'");
    }
  }

  kinemora::Skeleton skeleton;
  Composer composer(skeleton);
  try {
    for (const kinemora::Action& action : actions) composer.perform(action);
  } catch (const std::bad_alloc&) {
    return outOfMemory("while composing; nothing was written");
  }

  const bool toStdout = output == "-";
  if (!format) format = toStdout ? kinemora::FileFormat::Bvh : kinemora::formatOfPath(output);
  kinemora::SaveResult result;
  try {
    result = toStdout ? composer.save(stdout, *format) : composer.save(output.c_str(), *format);
  } catch (const std::bad_alloc&) {
    return outOfMemory("while writing; an existing file was left as it was");
  }
  if (!result) {
    std::fprintf(stderr, "kinemora-compose: %s\n",
                 toStdout ? ("standard output: " + result.message).c_str()
                          : result.message.c_str());
    return kExitWriteFailed;
  }
  std::fprintf(stderr, "motion queue: %s\nframes stored: %d\nframes written: %d\n",
               composer.queueText().c_str(), skeleton.frameCount(),
               composer.timelineMaximum());
  return 0;
}
