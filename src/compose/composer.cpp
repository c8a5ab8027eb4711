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
      timelineMaximum_ = record.cleared->timelineMaximum;
      break;
    case Action::Kind::Undo:
    case Action::Kind::Redo: break;
  }
}

void Composer::restart() {
  restore(start_);
  skeleton_.noise = false;
}

bool Composer::skipsTransition(const MotionEntry& entry) const {
  if (!lastMotion_) return false;
  return *lastMotion_ == entry.motion || (entry.punch && motionEntry(*lastMotion_).punch);
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
  // before the motion's. Each block of n frames lengthens the timeline by n-1.
  skeleton_.setMotion(motionRecords(motion));
  if (!skipsTransition(entry)) {
    skeleton_.appendTransition(kTransitionFrames);
    timelineMaximum_ += kTransitionFrames - 1;
  }
  skeleton_.appendFrames(entry.frames);
  timelineMaximum_ += entry.frames - 1;
  lastMotion_ = motion;
}

Composer::Checkpoint Composer::checkpoint() const {
  return {skeleton_.frameCount(), queueText_.size(),  timelineMaximum_,
          lastMotion_,            randomStreamState(), noiseTablesBuilt()};
}

void Composer::restore(const Checkpoint& c) {
  skeleton_.truncateFrames(c.storedFrames);
  queueText_.resize(c.queueLength);  // shorter: no allocation
  timelineMaximum_ = c.timelineMaximum;
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
  taken.timelineMaximum = timelineMaximum_;
  timelineMaximum_ = 0;
  return taken;
}

SaveResult Composer::save(const char* path, FileFormat format) const {
  return writeAnimation(skeleton_, path, timelineMaximum_, format);
}

SaveResult Composer::save(std::FILE* stream, FileFormat format) const {
  return writeAnimation(skeleton_, stream, timelineMaximum_, format);
}

}  // namespace kinemora
