#include "compose/clip_edits.h"

#include <algorithm>

namespace kinemora {

namespace {

using Clips = std::vector<ClipWord>;

Clips::const_iterator at(const Clips& clips, int index) { return clips.begin() + index; }

// The range's clips, and those before and after it.
Clips rangeOf(const Clips& clips, ClipRange r) { return {at(clips, r.first), at(clips, r.last + 1)}; }

}  // namespace

ClipRange within(ClipRange range, int clipCount) {
  if (range.empty() || clipCount == 0) return {};
  const int first = std::clamp(range.first, 0, clipCount - 1);
  const int last = std::clamp(range.last, first, clipCount - 1);
  return {first, last};
}

ClipEdit deleteClips(const Clips& clips, ClipRange range) {
  range = within(range, static_cast<int>(clips.size()));
  if (range.empty()) return {clips, range};
  Clips left(clips.begin(), at(clips, range.first));
  left.insert(left.end(), at(clips, range.last + 1), clips.end());
  const int count = static_cast<int>(left.size());
  // The clip that followed now stands where the range began.
  const int next = range.first < count ? range.first : range.first - 1;
  return {left, next >= 0 ? ClipRange{next, next} : ClipRange{}};
}

ClipEdit moveClips(const Clips& clips, ClipRange range, int by) {
  range = within(range, static_cast<int>(clips.size()));
  if (range.empty() || by == 0) return {clips, range};
  if (by < 0) return moveClipsTo(clips, range, std::max(range.first - 1, 0));
  return moveClipsTo(clips, range, std::min(range.last + 2, static_cast<int>(clips.size())));
}

ClipEdit moveClipsTo(const Clips& clips, ClipRange range, int to) {
  range = within(range, static_cast<int>(clips.size()));
  if (range.empty()) return {clips, range};
  to = std::clamp(to, 0, static_cast<int>(clips.size()));
  const Clips moved = rangeOf(clips, range);
  Clips rest(clips.begin(), at(clips, range.first));
  rest.insert(rest.end(), at(clips, range.last + 1), clips.end());
  // `to` counted the range's own clips when it lay after them.
  const int place = to > range.last ? to - range.size() : std::min(to, range.first);
  rest.insert(rest.begin() + place, moved.begin(), moved.end());
  return {rest, {place, place + range.size() - 1}};
}

ClipEdit duplicateClips(const Clips& clips, ClipRange range) {
  range = within(range, static_cast<int>(clips.size()));
  if (range.empty()) return {clips, range};
  Clips copy = clips;
  const Clips moved = rangeOf(clips, range);
  copy.insert(copy.begin() + range.last + 1, moved.begin(), moved.end());
  return {copy, {range.last + 1, range.last + range.size()}};
}

ClipEdit insertClip(const Clips& clips, ClipRange range, Motion motion, bool noise) {
  range = within(range, static_cast<int>(clips.size()));
  const int place = range.empty() ? static_cast<int>(clips.size()) : range.first;
  Clips copy = clips;
  copy.insert(copy.begin() + place, ClipWord{motion, noise});
  return {copy, {place, place}};
}

ClipEdit replaceClips(const Clips& clips, ClipRange range, Motion motion) {
  range = within(range, static_cast<int>(clips.size()));
  Clips copy = clips;
  for (int i = range.first; !range.empty() && i <= range.last; ++i) copy[i].motion = motion;
  return {copy, range};
}

ClipEdit toggleClipNoise(const Clips& clips, ClipRange range) {
  range = within(range, static_cast<int>(clips.size()));
  if (range.empty()) return {clips, range};
  Clips copy = clips;
  const bool noise = !clips[range.first].noise;
  for (int i = range.first; i <= range.last; ++i) copy[i].noise = noise;
  return {copy, range};
}

void applyClips(History& history, const Clips& clips) {
  const std::vector<Action> now = history.actions();
  const std::vector<Action> edited = withClips(now, clips);
  const std::size_t from = firstDifference(now, edited);
  if (from == now.size() && from == edited.size()) return;  // nothing changed
  history.edit(from, std::vector<Action>(edited.begin() + static_cast<long>(from), edited.end()));
}

}  // namespace kinemora
