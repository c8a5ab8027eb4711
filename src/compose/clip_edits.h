#pragma once

#include <vector>

#include "compose/clips.h"
#include "compose/history.h"

namespace kinemora {

// What a user does to the clips on the strip: each edit takes the clips and
// the selected range and gives the clips and the range selected after it.

// A contiguous range of clips, first to last; none when first < 0.
struct ClipRange {
  int first = -1;
  int last = -1;

  bool empty() const { return first < 0; }
  int size() const { return empty() ? 0 : last - first + 1; }
  bool operator==(const ClipRange& o) const { return first == o.first && last == o.last; }
};

struct ClipEdit {
  std::vector<ClipWord> clips;
  ClipRange selected;
};

// The range held to the clips there are: nothing when it lies outside them.
ClipRange within(ClipRange range, int clipCount);

// Delete Clip: afterwards the clip that followed is selected, else the one
// before, else nothing.
ClipEdit deleteClips(const std::vector<ClipWord>& clips, ClipRange range);
// Move Clip Earlier (by -1) or Later (+1): the range swaps places with its
// neighbour and stays selected; at either end nothing moves.
ClipEdit moveClips(const std::vector<ClipWord>& clips, ClipRange range, int by);
// Dragging: the range moved so that it begins where clip `to` is now
// (clips.size(): at the end), counted before the range is taken out.
ClipEdit moveClipsTo(const std::vector<ClipWord>& clips, ClipRange range, int to);
// Duplicate Clip: a copy right after the range, and the copy selected.
ClipEdit duplicateClips(const std::vector<ClipWord>& clips, ClipRange range);
// Insert Before: the motion, with `noise` ("add noise" as it is), before
// the range (at the end with nothing selected); the new clip selected.
ClipEdit insertClip(const std::vector<ClipWord>& clips, ClipRange range, Motion motion,
                    bool noise);
// Replace With: every clip of the range becomes the motion, keeping its
// noise; the range stays selected.
ClipEdit replaceClips(const std::vector<ClipWord>& clips, ClipRange range, Motion motion);
// Toggle Clip Noise: the range's frames with noise, or without it when the
// first clip of the range has it; the range stays selected.
ClipEdit toggleClipNoise(const std::vector<ClipWord>& clips, ClipRange range);

// Makes the clips the history's: the words made again from them (withClips),
// as one undo step that composes again from the first word that changed.
void applyClips(History& history, const std::vector<ClipWord>& clips);

}  // namespace kinemora
