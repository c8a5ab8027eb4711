#include "compose/composer.h"

#include "export/save_target.h"
#include "figure/motion_tracks.h"

namespace kinemora {

namespace {

bool skipsTransition(std::optional<Motion> last, const MotionEntry& entry) {
  if (!last) return false;
  return *last == entry.motion || (entry.punch && motionEntry(*last).punch);
}

}  // namespace

int framesOfPress(std::optional<Motion> last, Motion motion) {
  const MotionEntry& entry = motionEntry(motion);
  return entry.frames + (skipsTransition(last, entry) ? 0 : kTransitionFrames);
}

Composer::Composer() : skeleton_(drawSkeleton(random_.stream)), start_(checkpoint()) {}

Composer::Undo Composer::perform(const Action& action) {
  Undo record{action, checkpoint(), nullptr};
  switch (action.kind) {
    case Action::Kind::Press: pressFrom(record.before, action.motion); break;
    case Action::Kind::Noise: toggleNoise(); break;
    case Action::Kind::Clear:
      record.cleared = std::make_unique<TakenComposition>();
      *record.cleared = clear();
      break;
    case Action::Kind::Undo:
    case Action::Kind::Redo: break;
  }
  return record;
}

void Composer::undo(Undo&& record) {
  switch (record.action.kind) {
    case Action::Kind::Press: restore(record.before); break;
    case Action::Kind::Noise: toggleNoise(); break;
    case Action::Kind::Clear:
      skeleton_.frames = std::move(record.cleared->frames);
      queueText_ = std::move(record.cleared->queueText);
      break;
    case Action::Kind::Undo:
    case Action::Kind::Redo: break;
  }
}

void Composer::restart() {
  restore(start_);
  noise_ = false;
}

void Composer::press(Motion motion) { pressFrom(checkpoint(), motion); }

void Composer::pressFrom(const Checkpoint& before, Motion motion) {
  try {
    append(motion);
  } catch (...) {
    restore(before);
    throw;
  }
}

void Composer::append(Motion motion) {
  const MotionEntry& entry = motionEntry(motion);
  queueText_ += entry.label;
  queueText_ += ' ';
  // The transition blends into the motion, and its frames come before the
  // motion's.
  const MotionRecords records = motionRecords(motion);
  if (!skipsTransition(lastMotion_, entry)) {
    appendTransition(skeleton_, records, kTransitionFrames, noise_, random_);
  }
  if (drawsRandom(motion)) {
    appendFrames(skeleton_, records, entry.frames, noise_, random_);
  } else {
    for (const Pose& pose : poses_.frames(motion, noise_, skeleton_, random_)) {
      skeleton_.frames.append(pose);
    }
  }
  lastMotion_ = motion;
}

Composer::Checkpoint Composer::checkpoint() const {
  return {skeleton_.frames.count(), queueText_.size(), lastMotion_, random_.stream,
          random_.noise.built()};
}

void Composer::restore(const Checkpoint& c) {
  skeleton_.frames.truncate(c.storedFrames);
  queueText_.resize(c.queueLength);  // shorter: no allocation
  lastMotion_ = c.lastMotion;
  random_.stream = c.stream;
  if (!c.noiseTablesBuilt) {
    random_.noise.forget();
    poses_.forgetNoise();
  }
}

TakenComposition Composer::clear() {
  TakenComposition taken;
  taken.frames = std::move(skeleton_.frames);
  taken.queueText.swap(queueText_);
  return taken;
}

SaveResult Composer::save(const std::string& path, FileFormat format) const {
  return kinemora::save(path, [&](Output& out, std::string* error) {
    return write(out, format, error);
  });
}

bool Composer::write(Output& out, FileFormat format, std::string* error) const {
  return writeAnimation(skeleton_.frames, skeleton_.frames.count(), format, out, error);
}

}  // namespace kinemora
