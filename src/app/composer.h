#pragma once

#include <array>
#include <string>
#include <string_view>

#include "figure/skeleton.h"
#include "motion/motions.h"
#include "motion/random_stream.h"

namespace kinemora {

// A motion button: what it is called, what it appends and whether it
// belongs to the punch family (a punch after a punch needs no transition).
struct MotionButton {
  Motion motion;
  const char* label;  // also the word the queue text gets, plus a space
  int frames;         // appended per press
  int span;           // what the press adds to the timeline for the motion
  bool punch;
};

extern const std::array<MotionButton, kMotionCount> kMotionButtons;

// The button of a label ("rhumba" ... "cheer"), or nullptr.
const MotionButton* findMotionButton(std::string_view label);
const MotionButton& motionButton(Motion motion);

// The words for what a user presses: a motion label, "noise" or "clear".
bool isAction(std::string_view word);

// Frames of a blending transition, and what it adds to the timeline.
constexpr int kTransitionFrames = 13;
constexpr int kTransitionSpan = 12;

// What the buttons of the program do, free of any toolkit: the queue text,
// which motion came last, the timeline's maximum, the noise switch, "clear"
// and saving. The window's callbacks are thin calls into it, and the
// command-line composer drives the same object, so both write the same file
// for the same presses.
class Composer {
 public:
  explicit Composer(Skeleton& skeleton) : skeleton_(skeleton) {}

  // A motion button: lay the motion, blend it in unless it repeats the last
  // one (any punch after a punch), append its frames, raise the timeline.
  // When memory runs out part way (std::bad_alloc) everything, the random
  // stream and the noise tables included, is put back as it was before the
  // press, and the exception goes on to the caller.
  void press(Motion motion);
  // "add noise": flips the skeleton's switch for frames appended from now on.
  void toggleNoise() { skeleton_.noise = !skeleton_.noise; }
  // "clear": empties the queue text, the frames and the timeline. Which
  // motion came last is remembered across it.
  void clear();
  // What the press named by `word` does (see isAction); false, with nothing
  // done, for any other word.
  bool perform(std::string_view word);
  // File > Save File: the frames on the timeline, 0..maximum-1.
  SaveResult save(const char* path) const;
  SaveResult save(std::FILE* stream) const;

  const std::string& queueText() const { return queueText_; }
  // Each block of n frames adds n-1: after B blocks of F frames it is F-B.
  int timelineMaximum() const { return timelineMaximum_; }
  int framesToSave() const { return timelineMaximum_; }
  int motionSpan() const { return motionSpan_; }
  int transitionSpan() const { return transitionSpan_; }
  bool lastWas(Motion motion) const { return lastWas_[static_cast<int>(motion)]; }
  bool noise() const { return skeleton_.noise; }
  Skeleton& skeleton() { return skeleton_; }
  const Skeleton& skeleton() const { return skeleton_; }

 private:
  // What a press changes.
  struct Checkpoint {
    int storedFrames;
    std::size_t queueLength;
    int timelineMaximum, motionSpan, transitionSpan;
    std::array<bool, kMotionCount> lastWas;
    RandomStreamState randomStream;
    bool noiseTablesBuilt;
  };
  Checkpoint checkpoint() const;
  // Never allocates.
  void restore(const Checkpoint& c);
  void append(Motion motion);
  bool skipsTransition(const MotionButton& button) const;

  Skeleton& skeleton_;
  std::string queueText_;
  int timelineMaximum_ = 0;
  int motionSpan_ = 0;
  int transitionSpan_ = 0;
  std::array<bool, kMotionCount> lastWas_{};  // at most one is set
};

}  // namespace kinemora
