// kinemora-compose: the program's buttons from the command line. Writes the
// BVH file that File > Save File would write after the same presses in a
// freshly started program.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/composer.h"

namespace {

using kinemora::Composer;

constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "Usage: kinemora-compose [-o FILE] ACTION...\n"
    "\n"
    "Composes an animation from canned motions, as the buttons of Kinemora\n"
    "do, and writes it as a BVH file: the same file File > Save File writes\n"
    "after the same presses in a freshly started program.\n"
    "\n"
    "Actions, applied in order:\n"
    "  rhumba clap bend seizure punchR punchL cheer\n"
    "              append that motion (blended in by a 13-frame transition\n"
    "              unless it repeats the last motion, or is a punch after a punch)\n"
    "  noise       flip \"add noise\" for the motions that follow\n"
    "  clear       empty the animation\n"
    "\n"
    "Options:\n"
    "  -o FILE     write to FILE (replaced only once it is fully written);\n"
    "              without it, or with -o -, write to standard output\n"
    "  -h, --help  show this help\n"
    "  --version   show the version\n"
    "\n"
    "The motion queue and the frame counts go to standard error.\n"
    "Exit status: 0 written, 1 the file could not be written, 2 bad usage.\n";

std::string validActions() {
  std::string list;
  for (const auto& button : kinemora::kMotionButtons) {
    list += button.label;
    list += ' ';
  }
  return list + "noise clear";
}

int usageError(const std::string& message) {
  std::fprintf(stderr, "kinemora-compose: %s\nTry 'kinemora-compose --help'.\n",
               message.c_str());
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  std::string output = "-";
  std::vector<const char*> actions;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (!std::strcmp(arg, "--version")) {
      std::printf("kinemora-compose %s\n", KINEMORA_VERSION);
      return 0;
    }
    if (!std::strcmp(arg, "-o")) {
      if (i + 1 >= argc) return usageError("option -o needs a file name");
      output = argv[++i];
    } else if (arg[0] == '-' && arg[1] != '\0') {
      return usageError(std::string("unknown option '") + arg + "'");
    } else if (!kinemora::isAction(arg)) {
      return usageError(std::string("unknown action '") + arg +
                        "'; valid actions: " + validActions());
    } else {
      actions.push_back(arg);
    }
  }

  kinemora::Skeleton skeleton;
  Composer composer(skeleton);
  for (const char* action : actions) composer.perform(action);

  const bool toStdout = output == "-";
  const kinemora::SaveResult result =
      toStdout ? composer.save(stdout) : composer.save(output.c_str());
  if (!result) {
    std::fprintf(stderr, "kinemora-compose: %s\n",
                 toStdout ? ("standard output: " + result.message).c_str()
                          : result.message.c_str());
    return kExitWriteFailed;
  }
  std::fprintf(stderr, "motion queue: %s\nframes stored: %d\nframes written: %d\n",
               composer.queueText().c_str(), skeleton.frameCount(),
               composer.framesToSave());
  return 0;
}
