// kinemora-compose: the program's buttons from the command line. Writes the
// BVH file that File > Save File would write after the same presses in a
// freshly started program, or the glTF file of File > Export glTF, as it
// composes; or a video of the frames, drawn without a display.
#include <unistd.h>

#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/progress_line.h"
#include "cli/video_program.h"
#include "compose/actions.h"
#include "compose/composition_file.h"
#include "compose/history.h"
#include "compose/streaming.h"
#include "export/replacing_file.h"
#include "export/save_target.h"

namespace {

using kinemora::kExitUsage;
using kinemora::kExitWriteFailed;

// No allocation here: stdio puts the message together alone.
int outOfMemory() {
  std::fputs("kinemora-compose: out of memory; an existing file was left as it was\n", stderr);
  return kExitWriteFailed;
}

// The -c files' words, then the command line's, into `words`.
std::optional<int> readCompositions(const kinemora::Request& request,
                                    std::vector<kinemora::Action>* words) {
  for (const std::string& path : request.compositions) {
    std::vector<kinemora::Action> read;
    std::string error;
    if (!kinemora::readComposition(path, &read, &error)) {
      std::fprintf(stderr, "kinemora-compose: %s\n", error.c_str());
      return kExitUsage;
    }
    words->insert(words->end(), read.begin(), read.end());
  }
  words->insert(words->end(), request.actions.begin(), request.actions.end());
  return std::nullopt;
}

int reportSaveFailure(const std::string& path, const kinemora::SaveResult& result) {
  std::fprintf(stderr, "kinemora-compose: %s\n",
               path == "-" ? ("standard output: " + result.message).c_str()
                           : result.message.c_str());
  return kExitWriteFailed;
}

// The request's writer on `out`. A video's progress is its pictures, drawn
// one by one after composing has made their frames.
std::unique_ptr<kinemora::AnimationWriter> writerFor(const kinemora::Request& request,
                                                     kinemora::Output& out, std::uint64_t frames,
                                                     kinemora::ProgressLine& progress) {
  if (!request.video) return kinemora::animationWriter(request.format, out);
  return kinemora::videoWriterFor(request, out, [&progress, frames](int n) {
    progress.show(static_cast<std::uint64_t>(n), frames);
    return true;
  });
}

// Composes the actions, writing the animation as it goes when one is asked
// for: the target is opened once, and replaced only when all went well.
std::optional<int> composeAnimation(const kinemora::Request& request,
                                    const std::vector<kinemora::Action>& actions,
                                    kinemora::ProgressLine& progress,
                                    kinemora::Composed* composed) {
  kinemora::ComposingProgress show;
  if (!request.video) {
    show = [&](std::uint64_t made, std::uint64_t total) { progress.show(made, total); };
  }
  std::string error;
  if (request.output.empty()) {
    kinemora::composeStreaming(actions, nullptr, show, composed, &error);
    return std::nullopt;
  }
  kinemora::SaveTarget target;
  if (!target.open(request.output, &error)) return reportSaveFailure(request.output, {false, error});
  const auto writer =
      writerFor(request, target.output(), kinemora::timelineFrames(actions), progress);
  if (!kinemora::composeStreaming(actions, writer.get(), show, composed, &error)) {
    return reportSaveFailure(request.output, target.failure(error));
  }
  const kinemora::SaveResult result = target.commit();
  if (!result) return reportSaveFailure(request.output, result);
  return std::nullopt;
}

int run(int argc, char** argv) {
  kinemora::Request request;
  std::vector<kinemora::Action> words;
  if (const auto status = kinemora::parseArguments(argc, argv, &request)) return *status;
  if (request.video) {
    if (const auto status = kinemora::filmElsewhere(argv)) return *status;
  }
  if (const auto status = readCompositions(request, &words)) return *status;
  // Undo and redo are settled first: only what is left in effect is made.
  const std::vector<kinemora::Action> actions = kinemora::actionsInEffect(words);
  if (request.video && !request.output.empty() && kinemora::timelineFrames(actions) == 0) {
    std::fputs("kinemora-compose: the timeline is empty, and a video needs at least one frame\n",
               stderr);
    return kExitUsage;
  }

  kinemora::Composed composed;
  kinemora::ProgressLine progress(!request.quiet && ::isatty(STDERR_FILENO));
  if (const auto status = composeAnimation(request, actions, progress, &composed)) return *status;
  progress.erase();
  // The composition only once its animation was written.
  if (!request.saveComposition.empty()) {
    const kinemora::SaveResult saved = kinemora::writeComposition(request.saveComposition, actions);
    if (!saved) return reportSaveFailure(request.saveComposition, saved);
  }
  if (!request.quiet) {
    std::fprintf(stderr, "motion queue: %s\nframes stored: %d\nframes written: %d\n",
                 composed.queueText.c_str(), composed.frames, composed.frames);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  kinemora::removeTemporaryFileOnSignals();
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    return outOfMemory();
  }
}
