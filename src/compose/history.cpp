#include "compose/history.h"

#include <utility>

namespace kinemora {

namespace {

// Room for one more entry, grown the usual way: once an action is done,
// recording it must not fail.
template <class T>
void makeRoom(std::vector<T>& v) {
  if (v.size() == v.capacity()) v.reserve(2 * v.size() + 16);
}

}  // namespace

WordHistory::Step WordHistory::apply(const Action& word) {
  switch (word.kind) {
    case Action::Kind::Undo:
      if (done_.empty()) return Step::Nothing;
      undone_.push_back(done_.back());
      done_.pop_back();
      return Step::Undone;
    case Action::Kind::Redo:
      if (undone_.empty()) return Step::Nothing;
      done_.push_back(undone_.back());
      undone_.pop_back();
      return Step::Done;
    default:
      done_.push_back(word);
      undone_.clear();
      return Step::Done;
  }
}

std::vector<Action> actionsInEffect(const std::vector<Action>& words) {
  WordHistory history;
  for (const Action& word : words) history.apply(word);
  return history.inEffect();
}

void History::perform(const Action& action) {
  switch (action.kind) {
    case Action::Kind::Undo: undo(); return;
    case Action::Kind::Redo: redo(); return;
    default: break;
  }
  makeRoom(done_);
  makeRoom(steps_);
  Step step{done_.size(), {}, {action}};
  done_.push_back(composer_.perform(action));
  record(std::move(step));
}

void History::edit(std::size_t from, const std::vector<Action>& actions) {
  if (from > done_.size()) from = done_.size();
  Step step{from, std::vector<Action>(), actions};
  for (std::size_t i = from; i < done_.size(); ++i) step.before.push_back(done_[i].action);
  makeRoom(steps_);
  replace(from, step.after, step.before);
  record(std::move(step));
}

void History::record(Step&& step) {
  steps_.push_back(std::move(step));
  undone_.clear();
}

void History::rewind(std::size_t count) {
  while (done_.size() > count) {
    Composer::Undo last = std::move(done_.back());
    done_.pop_back();
    composer_.undo(std::move(last));
  }
}

void History::performAll(const std::vector<Action>& actions) {
  for (const Action& action : actions) {
    makeRoom(done_);
    done_.push_back(composer_.perform(action));
  }
}

void History::replace(std::size_t from, const std::vector<Action>& actions,
                      const std::vector<Action>& now) {
  try {
    rewind(from);
    performAll(actions);
  } catch (...) {
    // Back to what was in effect, which fitted before.
    rewind(from);
    performAll(now);
    throw;
  }
}

void History::undo() {
  if (steps_.empty()) return;
  makeRoom(undone_);
  replace(steps_.back().from, steps_.back().before, steps_.back().after);
  undone_.push_back(std::move(steps_.back()));
  steps_.pop_back();
}

void History::redo() {
  if (undone_.empty()) return;
  makeRoom(steps_);
  replace(undone_.back().from, undone_.back().after, undone_.back().before);
  steps_.push_back(std::move(undone_.back()));
  undone_.pop_back();
}

std::vector<Action> History::actions() const {
  std::vector<Action> in;
  in.reserve(done_.size());
  for (const Composer::Undo& d : done_) in.push_back(d.action);
  return in;
}

void History::restart() {
  done_.clear();
  steps_.clear();
  undone_.clear();
  composer_.restart();
}

}  // namespace kinemora
