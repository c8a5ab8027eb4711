#include "app/composer.h"

#include "motion/noise.h"

namespace kinemora {

const std::array<MotionButton, kMotionCount> kMotionButtons = {{
    // motion           label      frames  span  punch
    {Motion::Rhumba,  "rhumba",   97,     96,   false},
    {Motion::Clap,    "clap",     97,     96,   false},
    {Motion::Bend,    "bend",     97,     96,   false},
    {Motion::Seizure, "seizure",  97,     96,   false},
    {Motion::PunchR,  "punchR",   13,     12,   true},
    {Motion::PunchL,  "punchL",   13,     12,   true},
    {Motion::Cheer,   "cheer",    97,     96,   false},
}};

const MotionButton* findMotionButton(std::string_view label) {
  for (const MotionButton& button : kMotionButtons) {
    if (label == button.label) return &button;
  }
  return nullptr;
}

const MotionButton& motionButton(Motion motion) {
  return kMotionButtons[static_cast<int>(motion)];
}

bool isAction(std::string_view word) {
  return findMotionButton(word) || word == "noise" || word == "clear";
}

bool Composer::perform(std::string_view word) {
  if (const MotionButton* button = findMotionButton(word)) {
    press(button->motion);
  } else if (word == "noise") {
    toggleNoise();
  } else if (word == "clear") {
    clear();
  } else {
    return false;
  }
  return true;
}

bool Composer::skipsTransition(const MotionButton& button) const {
  if (lastWas(button.motion)) return true;
  if (!button.punch) return false;
  return lastWas(Motion::PunchR) || lastWas(Motion::PunchL);
}

void Composer::press(Motion motion) {
  const Checkpoint before = checkpoint();
  try {
    append(motion);
  } catch (...) {
    restore(before);
    throw;
  }
}

Composer::Checkpoint Composer::checkpoint() const {
  return {skeleton_.frameCount(), queueText_.size(), timelineMaximum_, motionSpan_,
          transitionSpan_,        lastWas_,          randomStreamState(), noiseTablesBuilt()};
}

void Composer::restore(const Checkpoint& c) {
  skeleton_.truncateFrames(c.storedFrames);
  queueText_.resize(c.queueLength);  // shorter: no allocation
  timelineMaximum_ = c.timelineMaximum;
  motionSpan_ = c.motionSpan;
  transitionSpan_ = c.transitionSpan;
  lastWas_ = c.lastWas;
  // The motion laid is always the last one pressed; before any press every
  // joint holds the still record.
  const Motion* laid = nullptr;
  for (const MotionButton& button : kMotionButtons) {
    if (lastWas(button.motion)) laid = &button.motion;
  }
  if (laid) {
    skeleton_.layMotion(*laid);
  } else {
    for (auto& joint : skeleton_.joints) joint->setMotion(JointMotion{});
  }
  setRandomStreamState(c.randomStream);
  if (!c.noiseTablesBuilt) resetNoiseTables();
}

void Composer::append(Motion motion) {
  const MotionButton& button = motionButton(motion);
  transitionSpan_ = 0;
  motionSpan_ = button.span;
  queueText_ += button.label;
  queueText_ += ' ';
  // The transition blends into the motion just laid, and its frames come
  // before the motion's.
  skeleton_.layMotion(motion);
  if (!skipsTransition(button)) {
    skeleton_.appendTransition(kTransitionFrames);
    transitionSpan_ = kTransitionSpan;
  }
  skeleton_.appendFrames(button.frames);
  timelineMaximum_ += motionSpan_ + transitionSpan_;
  lastWas_.fill(false);
  lastWas_[static_cast<int>(motion)] = true;
}

void Composer::clear() {
  queueText_.clear();
  skeleton_.clearFrames();
  timelineMaximum_ = 0;
}

SaveResult Composer::save(const char* path) const {
  return skeleton_.writeBvh(path, framesToSave());
}

SaveResult Composer::save(std::FILE* stream) const {
  return skeleton_.writeBvh(stream, framesToSave());
}

}  // namespace kinemora
