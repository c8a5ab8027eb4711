#include "compose/clips.h"

#include <optional>

#include "compose/composer.h"

namespace kinemora {

namespace {

// The words after the last "clear" begin here.
std::size_t afterLastClear(const std::vector<Action>& actions) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < actions.size(); ++i) {
    if (actions[i].kind == Action::Kind::Clear) start = i + 1;
  }
  return start;
}

bool noiseAfter(const std::vector<Action>& actions, std::size_t end) {
  bool noise = false;
  for (std::size_t i = 0; i < end; ++i) noise ^= actions[i].kind == Action::Kind::Noise;
  return noise;
}

}  // namespace

std::vector<Clip> clipsOf(const std::vector<Action>& actions) {
  const std::size_t start = afterLastClear(actions);
  std::optional<Motion> last;  // remembered across a "clear"
  bool noise = false;
  int frame = 0;
  std::vector<Clip> clips;
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const Action& action = actions[i];
    if (action.kind == Action::Kind::Noise) noise = !noise;
    if (action.kind != Action::Kind::Press) continue;
    const int frames = framesOfPress(last, action.motion);
    last = action.motion;
    if (i < start) continue;
    clips.push_back({{action.motion, noise}, frame, frames});
    frame += frames;
  }
  return clips;
}

std::vector<ClipWord> clipWords(const std::vector<Clip>& clips) {
  std::vector<ClipWord> words;
  words.reserve(clips.size());
  for (const Clip& clip : clips) words.push_back(clip.word);
  return words;
}

std::vector<Action> withClips(const std::vector<Action>& actions,
                              const std::vector<ClipWord>& clips) {
  const std::size_t start = afterLastClear(actions);
  std::vector<Action> edited(actions.begin(), actions.begin() + static_cast<long>(start));
  bool noise = noiseAfter(actions, start);
  const bool noiseAtEnd = noiseAfter(actions, actions.size());
  for (const ClipWord& clip : clips) {
    if (clip.noise != noise) edited.push_back({Action::Kind::Noise});
    noise = clip.noise;
    edited.push_back({Action::Kind::Press, clip.motion});
  }
  if (noise != noiseAtEnd) edited.push_back({Action::Kind::Noise});
  return edited;
}

std::size_t firstDifference(const std::vector<Action>& a, const std::vector<Action>& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i].kind == b[i].kind &&
         (a[i].kind != Action::Kind::Press || a[i].motion == b[i].motion)) {
    ++i;
  }
  return i;
}

}  // namespace kinemora
