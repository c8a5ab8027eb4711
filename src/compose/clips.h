#pragma once

#include <cstddef>
#include <vector>

#include "compose/actions.h"

namespace kinemora {

// The composition as clips on a strip: one clip per motion press on the
// timeline (the presses since the last "clear"), in order. A composition is
// a pure function of its words, so an edit of the clips is an edit of the
// words: they are made again from the clips, and the edited composition is
// exactly what a freshly started program fed those words holds.

// A clip as the words say it.
struct ClipWord {
  Motion motion;
  bool noise;  // its frames carry noise: "add noise" was on when it was pressed

  bool operator==(const ClipWord& o) const { return motion == o.motion && noise == o.noise; }
};

// A clip on the timeline.
struct Clip {
  ClipWord word;
  int firstFrame;  // where it starts on the timeline
  int frames;      // its transition included
};

// The clips of the actions in effect (no undo, no redo).
std::vector<Clip> clipsOf(const std::vector<Action>& actions);

// The words of the clips, without their frames.
std::vector<ClipWord> clipWords(const std::vector<Clip>& clips);

// The actions in effect with the clips after the last "clear" replaced by
// `clips`: the words up to the last "clear" as they were, a "noise" before a
// clip whose noise differs from the one before it, and the "add noise"
// switch after the last clip as it was (a "noise" at the end when needed).
std::vector<Action> withClips(const std::vector<Action>& actions,
                              const std::vector<ClipWord>& clips);

// Where two lists of actions first differ (the shorter one's length when one
// begins the other): an edit composes again only from there.
std::size_t firstDifference(const std::vector<Action>& a, const std::vector<Action>& b);

}  // namespace kinemora
