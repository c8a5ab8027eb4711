#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "compose/actions.h"
#include "export/file_format.h"
#include "export/save_result.h"
#include "figure/frame_store.h"
#include "figure/pose_cache.h"
#include "figure/skeleton.h"
#include "motion/motions.h"
#include "motion/random_stream.h"
#include "motion/randomness.h"

namespace kinemora {

// Frames of the transition that blends a new motion in.
constexpr int kTransitionFrames = 13;

// What "clear" empties, kept whole so that it can be put back.
struct TakenComposition {
  FrameStore frames;
  std::string queueText;
};

// Frames a press of `motion` appends after `last` (none before the first
// press): its own, and a transition unless it repeats the last motion or is
// a punch after a punch.
int framesOfPress(std::optional<Motion> last, Motion motion);

// One composition: what the buttons of the program do, free of any
// toolkit, and everything that it depends on, owned here and nowhere else:
// the figure and its frames, the random stream and the noise tables, the
// queue text, which motion came last, the noise switch. The window's
// callbacks are thin calls into it, and the command-line composer drives
// the same object, so both write the same file for the same presses. Two
// compositions never share anything, so they may live side by side, in two
// threads too.
class Composer {
  // Everything a press changes, and the state a restart goes back to. The
  // noise tables never change once drawn: whether they were is enough.
  struct Checkpoint {
    int storedFrames;
    std::size_t queueLength;
    std::optional<Motion> lastMotion;
    RandomStream stream;
    bool noiseTablesBuilt;
  };

 public:
  // A freshly started program's composition: the joints' noise seeds are
  // the first numbers its stream draws.
  Composer();
  Composer(const Composer&) = delete;
  Composer& operator=(const Composer&) = delete;

  // A motion button: blend the motion in unless it repeats the last one (any
  // punch after a punch), then append its frames to the timeline. When
  // memory runs out part way (std::bad_alloc) everything, the random stream
  // and the noise tables included, is put back as it was before the press,
  // and the exception goes on to the caller.
  void press(Motion motion);
  // "add noise": flips the switch for frames appended from now on.
  void toggleNoise() { noise_ = !noise_; }
  // "clear": empties the queue text, the frames and the timeline, and hands
  // them over. Which motion came last is remembered across it.
  TakenComposition clear();

  // What an action changed, for taking it back: perform() returns it and
  // undo() takes it. A press keeps the state before it (a few numbers), a
  // "clear" what it emptied, moved rather than copied.
  struct Undo {
    Action action;
    Checkpoint before;                          // a press
    std::unique_ptr<TakenComposition> cleared;  // a "clear"
  };
  // A press, "add noise" or "clear"; undo and redo are the history's and do
  // nothing here.
  Undo perform(const Action& action);
  // Takes back the last action performed and not yet taken back, whose
  // record this is, in time proportional to that action's frames.
  void undo(Undo&& record);
  // Back to the moment the Composer was made: no frames, no text, noise
  // off, no last motion, the random stream and the noise tables as then.
  void restart();

  // File > Save File (BVH) and File > Export glTF: every frame on the
  // timeline, to `path` ("-": standard output), whole or not at all.
  SaveResult save(const std::string& path, FileFormat format = FileFormat::Bvh) const;
  // The same to an output; false with *error.
  bool write(Output& out, FileFormat format, std::string* error) const;

  const std::string& queueText() const { return queueText_; }
  // The frames on the timeline: every frame stored since the last "clear".
  // The timeline shows frames 0..frameCount()-1 and a save writes them all.
  int frameCount() const { return skeleton_.frames.count(); }
  const FrameStore& frames() const { return skeleton_.frames; }
  // Lets go of the frames before `frame`, once they are written: a stream
  // that writes as it composes holds only a few. Nothing can be undone or
  // saved from before them afterwards.
  void dropFramesBefore(int frame) { skeleton_.frames.dropBefore(frame); }
  std::optional<Motion> lastMotion() const { return lastMotion_; }
  bool noise() const { return noise_; }
  const Skeleton& skeleton() const { return skeleton_; }

 private:
  Checkpoint checkpoint() const;
  // Never allocates.
  void restore(const Checkpoint& c);
  // A press from the state `before`, put back should it run out of memory.
  void pressFrom(const Checkpoint& before, Motion motion);
  void append(Motion motion);

  Randomness random_;
  Skeleton skeleton_;   // drawn from random_'s stream: declared after it
  PoseCache poses_;
  bool noise_ = false;
  std::string queueText_;
  std::optional<Motion> lastMotion_;  // none until the first press
  Checkpoint start_;                  // set last: the state at construction
};

}  // namespace kinemora
