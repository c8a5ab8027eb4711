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
  apply(action, nextSerial_++);
  undone_.clear();
}

void History::apply(const Action& action, std::uint64_t serial) {
  makeRoom(done_);
  done_.push_back({composer_.perform(action), serial});
}

void History::undo() {
  if (done_.empty()) return;
  makeRoom(undone_);
  Done last = std::move(done_.back());
  done_.pop_back();
  undone_.push_back({last.undo.action, last.serial});
  composer_.undo(std::move(last.undo));
}

void History::redo() {
  if (undone_.empty()) return;
  const Undone next = undone_.back();
  apply(next.action, next.serial);
  undone_.pop_back();
}

std::vector<Action> History::actions() const {
  std::vector<Action> in;
  in.reserve(done_.size());
  for (const Done& d : done_) in.push_back(d.undo.action);
  return in;
}

void History::restart() {
  done_.clear();
  undone_.clear();
  composer_.restart();
}

}  // namespace kinemora
