#pragma once

#include <cstdint>
#include <vector>

#include "compose/actions.h"
#include "compose/composer.h"

namespace kinemora {

// Undo and redo over a Composer, as deep as the session. Because the random
// stream is the program's own, everything the Composer holds is a function
// of the actions in effect since start: an undo puts back exactly the state
// before the action (frames, text, timeline, last motion, noise switch,
// random stream, noise tables), and a redo performs the action again from
// there, so both cost what the one action costs.
// The history's rules on the words alone, for what can be known before
// anything is composed: which actions are in effect after each word.
class WordHistory {
 public:
  enum class Step {
    Done,    // inEffect().back() was done, or done again
    Undone,  // an action was taken back: undoneLast() is it
    Nothing  // an undo or a redo with nothing to take back or do again
  };
  // One word: an action is done (dropping what could be redone), "undo"
  // takes the last action in effect back, "redo" does again the last one
  // taken back.
  Step apply(const Action& word);
  const std::vector<Action>& inEffect() const { return done_; }
  const Action& undoneLast() const { return undone_.back(); }

 private:
  std::vector<Action> done_;
  std::vector<Action> undone_;  // the last taken back at the back
};

// The actions in effect after the words: composing these from a fresh start
// leaves exactly what composing the words, undo and redo included, leaves.
std::vector<Action> actionsInEffect(const std::vector<Action>& words);

class History {
 public:
  explicit History(Composer& composer) : composer_(composer) {}

  // An action, undo and redo included. A new action drops what was undone.
  // A press that runs out of memory changes nothing and throws on.
  void perform(const Action& action);
  bool canUndo() const { return !done_.empty(); }
  bool canRedo() const { return !undone_.empty(); }
  // Nothing happens when there is nothing to take back or to redo.
  void undo();
  void redo();

  // The actions in effect, from start: what a composition holds.
  std::vector<Action> actions() const;
  // A fresh start: the Composer restarted, nothing to undo or redo.
  void restart();
  // Tells one state of the session from another: the same number again
  // means the same actions are in effect (after an undo and a redo, say).
  std::uint64_t revision() const { return done_.empty() ? 0 : done_.back().serial; }

  Composer& composer() { return composer_; }
  const Composer& composer() const { return composer_; }

 private:
  struct Done {
    Composer::Undo undo;
    std::uint64_t serial;
  };
  struct Undone {
    Action action;
    std::uint64_t serial;
  };
  void apply(const Action& action, std::uint64_t serial);

  Composer& composer_;
  std::vector<Done> done_;
  std::vector<Undone> undone_;  // the last undone at the back
  std::uint64_t nextSerial_ = 1;
};

}  // namespace kinemora
