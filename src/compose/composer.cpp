#include "compose/composer.h"

#include "motion/noise.h"

namespace kinemora {

Composer::Composer(Skeleton& skeleton) : skeleton_(skeleton), start_(checkpoint()) {}

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
      skeleton_.putFrames(std::move(record.cleared->frames));
      queueText_ = std::move(record.cleared->queueText);
      break;
    case Action::Kind::Undo:
    case Action::Kind::Redo: break;
  }
}

void Composer::restart() {
  restore(start_);
  skeleton_.noise = false;
}

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
  // The transition blends into the motion just laid, and its frames come
  // before the motion's.
  skeleton_.setMotion(motionRecords(motion));
  if (!skipsTransition(lastMotion_, entry)) skeleton_.appendTransition(kTransitionFrames);
  skeleton_.appendFrames(entry.frames);
  lastMotion_ = motion;
}

Composer::Checkpoint Composer::checkpoint() const {
  return {skeleton_.frameCount(), queueText_.size(), lastMotion_, randomStreamState(),
          noiseTablesBuilt()};
}

void Composer::restore(const Checkpoint& c) {
  skeleton_.truncateFrames(c.storedFrames);
  queueText_.resize(c.queueLength);  // shorter: no allocation
  lastMotion_ = c.lastMotion;
  // The motion laid is always the last one pressed; before any press every
  // joint holds the still record.
  skeleton_.setMotion(lastMotion_ ? motionRecords(*lastMotion_) : MotionRecords{});
  setRandomStreamState(c.randomStream);
  if (!c.noiseTablesBuilt) resetNoiseTables();
}

TakenComposition Composer::clear() {
  TakenComposition taken;
  taken.frames = skeleton_.takeFrames();
  taken.queueText.swap(queueText_);
  return taken;
}

SaveResult Composer::save(const char* path, FileFormat format) const {
  return writeAnimation(skeleton_, path, skeleton_.frameCount(), format);
}

SaveResult Composer::save(std::FILE* stream, FileFormat format) const {
  return writeAnimation(skeleton_, stream, skeleton_.frameCount(), format);
}

}  // namespace kinemora
