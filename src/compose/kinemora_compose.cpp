// kinemora-compose: the program's buttons from the command line. Writes the
// BVH file that File > Save File would write after the same presses in a
// freshly started program, or the glTF file of File > Export glTF.
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "compose/actions.h"
#include "compose/command_line.h"
#include "compose/composer.h"
#include "compose/composition_file.h"
#include "compose/history.h"
#include "compose/memory_need.h"
#include "export/replacing_file.h"

namespace {

using kinemora::kExitUsage;
using kinemora::kExitWriteFailed;

// No allocation here: stdio puts the message together alone.
int outOfMemory(const char* what) {
  std::fprintf(stderr, "kinemora-compose: out of memory %s\n", what);
  return kExitWriteFailed;
}

// The -c files' words, then the command line's, into `actions`.
std::optional<int> readCompositions(const kinemora::Request& request,
                                    std::vector<kinemora::Action>* actions) {
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
  return std::nullopt;
}

// Too many frames for this machine's memory: told before any is made.
std::optional<int> refuseWhenMemoryIsShort(const std::vector<kinemora::Action>& actions) {
  const auto refusal = kinemora::memoryRefusal(actions, kinemora::availableMemory());
  if (!refusal) return std::nullopt;
  std::fprintf(stderr, "kinemora-compose: %s; nothing was written\n", refusal->c_str());
  return kExitWriteFailed;
}

int reportSaveFailure(const std::string& path, const kinemora::SaveResult& result) {
  std::fprintf(stderr, "kinemora-compose: %s\n",
               path == "-" ? ("standard output: " + result.message).c_str()
                           : result.message.c_str());
  return kExitWriteFailed;
}

// The animation, then the composition: a composition is left as it was
// unless its animation was written.
std::optional<int> write(const kinemora::Request& request, const kinemora::Composer& composer,
                         const kinemora::History& history) {
  if (!request.output.empty()) {
    const kinemora::SaveResult result = request.output == "-"
        ? composer.save(stdout, request.format)
        : composer.save(request.output.c_str(), request.format);
    if (!result) return reportSaveFailure(request.output, result);
  }
  if (!request.saveComposition.empty()) {
    const kinemora::SaveResult saved = request.saveComposition == "-"
        ? kinemora::writeComposition(stdout, history.actions())
        : kinemora::writeComposition(request.saveComposition, history.actions());
    if (!saved) return reportSaveFailure(request.saveComposition, saved);
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  kinemora::removeTemporaryFileOnSignals();

  kinemora::Request request;
  std::vector<kinemora::Action> actions;
  if (const auto status = kinemora::parseArguments(argc, argv, &request)) return *status;
  if (const auto status = readCompositions(request, &actions)) return *status;
  if (const auto status = refuseWhenMemoryIsShort(actions)) return *status;

  kinemora::Composer composer;
  kinemora::History history(composer);
  try {
    for (const kinemora::Action& action : actions) history.perform(action);
  } catch (const std::bad_alloc&) {
    return outOfMemory("while composing; nothing was written");
  }
  try {
    if (const auto status = write(request, composer, history)) return *status;
  } catch (const std::bad_alloc&) {
    return outOfMemory("while writing; an existing file was left as it was");
  }
  std::fprintf(stderr, "motion queue: %s\nframes stored: %d\nframes written: %d\n",
               composer.queueText().c_str(), composer.frameCount(),
               composer.frameCount());
  return 0;
}
