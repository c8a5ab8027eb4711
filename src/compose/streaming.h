#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "compose/actions.h"
#include "export/animation_writer.h"

namespace kinemora {

// Composing for a file alone, as kinemora-compose does: the frames are made
// in blocks, each written and let go of, so that memory stays the same
// however long the animation. The file is byte for byte what composing the
// whole and saving it writes.

// The frames on the timeline after the actions (in effect: no undo, no
// redo), counted from the words: those stored since the last "clear".
std::uint64_t timelineFrames(const std::vector<Action>& actions);

// How far composing has come: frames made, of all it will make (those a
// "clear" empties included).
using ComposingProgress = std::function<void(std::uint64_t made, std::uint64_t total)>;

// What composing leaves besides the file.
struct Composed {
  std::string queueText;
  int frames = 0;  // on the timeline: the frames written
};

// Composes the actions (in effect) from a fresh start and hands the frames
// on the timeline to `writer` (none: composes only) as they come. False
// with *error when the writer fails; std::bad_alloc goes on to the caller.
bool composeStreaming(const std::vector<Action>& actions, AnimationWriter* writer,
                      const ComposingProgress& progress, Composed* composed, std::string* error);

}  // namespace kinemora
