#include "compose/streaming.h"

#include <limits>
#include <optional>

#include "compose/composer.h"

namespace kinemora {

namespace {

// Frames gathered before a block is written: few enough to hold, many
// enough that each write is worth its call.
constexpr int kBlockFrames = 4096;

// The frames each press of the actions appends, in order.
std::vector<int> pressFrames(const std::vector<Action>& actions) {
  std::vector<int> frames;
  std::optional<Motion> last;
  for (const Action& action : actions) {
    if (action.kind != Action::Kind::Press) continue;
    frames.push_back(framesOfPress(last, action.motion));
    last = action.motion;
  }
  return frames;
}

}  // namespace

std::uint64_t timelineFrames(const std::vector<Action>& actions) {
  std::uint64_t frames = 0;
  std::optional<Motion> last;  // remembered across a "clear"
  for (const Action& action : actions) {
    if (action.kind == Action::Kind::Clear) frames = 0;
    if (action.kind != Action::Kind::Press) continue;
    frames += static_cast<std::uint64_t>(framesOfPress(last, action.motion));
    last = action.motion;
  }
  return frames;
}

bool composeStreaming(const std::vector<Action>& actions, AnimationWriter* writer,
                      const ComposingProgress& progress, Composed* composed, std::string* error) {
  const std::uint64_t onTimeline = timelineFrames(actions);
  if (onTimeline > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) {
    *error = std::to_string(onTimeline) + " frames are more than one animation can hold";
    return false;
  }
  std::uint64_t total = 0, made = 0;
  for (const int frames : pressFrames(actions)) total += static_cast<std::uint64_t>(frames);
  if (writer && !writer->begin(static_cast<int>(onTimeline), error)) return false;

  // The actions from this one on make the frames on the timeline; those
  // before it make frames that a "clear" empties, which never reach the
  // file.
  std::size_t firstOnTimeline = 0;
  for (std::size_t i = 0; i < actions.size(); ++i) {
    if (actions[i].kind == Action::Kind::Clear) firstOnTimeline = i + 1;
  }

  Composer composer;
  int written = 0;
  const auto writeUpTo = [&](int end) {
    if (writer && !writer->add(composer.frames(), written, end, error)) return false;
    written = end;
    composer.dropFramesBefore(end);
    return true;
  };
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const Action& action = actions[i];
    switch (action.kind) {
      case Action::Kind::Press: {
        const int before = composer.frameCount();
        composer.press(action.motion);
        made += static_cast<std::uint64_t>(composer.frameCount() - before);
        break;
      }
      case Action::Kind::Noise: composer.toggleNoise(); break;
      case Action::Kind::Clear:
        composer.clear();
        written = 0;
        break;
      case Action::Kind::Undo:
      case Action::Kind::Redo: break;
    }
    if (i < firstOnTimeline) {
      composer.dropFramesBefore(composer.frameCount());  // unwritten
    } else if (composer.frameCount() - written >= kBlockFrames &&
               !writeUpTo(composer.frameCount())) {
      return false;
    }
    if (progress) progress(made, total);
  }
  if (!writeUpTo(composer.frameCount())) return false;
  composed->queueText = composer.queueText();
  composed->frames = composer.frameCount();
  return !writer || writer->finish(error);
}

}  // namespace kinemora
