#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

#include "compose/actions.h"
#include "export/file_format.h"
#include "export/save_result.h"
#include "figure/skeleton.h"
#include "motion/motions.h"
#include "motion/random_stream.h"

namespace kinemora {

// Frames of the transition that blends a new motion in.
constexpr int kTransitionFrames = 13;

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
  void perform(const Action& action);

  // File > Save File (BVH) and File > Export glTF: the frames on the
  // timeline, 0..maximum-1.
  SaveResult save(const char* path, FileFormat format = FileFormat::Bvh) const;
  SaveResult save(std::FILE* stream, FileFormat format = FileFormat::Bvh) const;

  const std::string& queueText() const { return queueText_; }
  // Each block of n frames adds n-1: after B blocks of F frames it is F-B.
  // It is also the number of frames a save writes.
  int timelineMaximum() const { return timelineMaximum_; }
  std::optional<Motion> lastMotion() const { return lastMotion_; }
  bool noise() const { return skeleton_.noise; }
  Skeleton& skeleton() { return skeleton_; }
  const Skeleton& skeleton() const { return skeleton_; }

 private:
  // What a press changes.
  struct Checkpoint {
    int storedFrames;
    std::size_t queueLength;
    int timelineMaximum;
    std::optional<Motion> lastMotion;
    RandomStreamState randomStream;
    bool noiseTablesBuilt;
  };
  Checkpoint checkpoint() const;
  // Never allocates.
  void restore(const Checkpoint& c);
  void append(Motion motion);
  bool skipsTransition(const MotionEntry& entry) const;

  Skeleton& skeleton_;
  std::string queueText_;
  int timelineMaximum_ = 0;
  std::optional<Motion> lastMotion_;  // none until the first press
};

}  // namespace kinemora
