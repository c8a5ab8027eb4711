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

// Undo and redo over a Composer, as deep as the session. Because the random
// stream is the composition's own, everything the Composer holds is a
// function of the actions in effect since start: taking actions back puts
// back exactly the state before them (frames, text, timeline, last motion,
// noise switch, random stream, noise tables), and doing actions again from
// there gives exactly what they gave, so both cost what those actions cost.
//
// An undo step is one action, or one edit that replaces the actions from
// some point on at once (an edit of the clips): it is taken back and done
// again whole.
class History {
 public:
  explicit History(Composer& composer) : composer_(composer) {}

  // An action, undo and redo included. A new action drops what was undone.
  // A press that runs out of memory changes nothing and throws on.
  void perform(const Action& action);
  // One edit: the actions in effect from `from` on become `actions`. Only
  // what comes after `from` is composed again. A new step: it drops what was
  // undone. When memory runs out part way, the actions are put back as they
  // were and the exception goes on.
  void edit(std::size_t from, const std::vector<Action>& actions);
  bool canUndo() const { return !steps_.empty(); }
  bool canRedo() const { return !undone_.empty(); }
  // Nothing happens when there is nothing to take back or to redo.
  void undo();
  void redo();

  // The actions in effect, from start: what a composition holds.
  std::vector<Action> actions() const;
  // A fresh start: the Composer restarted, nothing to undo or redo.
  void restart();

  Composer& composer() { return composer_; }
  const Composer& composer() const { return composer_; }

 private:
  // What one undo step changed: the actions in effect from `from` on were
  // `before` and became `after`.
  struct Step {
    std::size_t from;
    std::vector<Action> before;
    std::vector<Action> after;
  };
  // Takes the actions back to the first `count`, by the records kept.
  void rewind(std::size_t count);
  void performAll(const std::vector<Action>& actions);
  // From `from` on, `actions` in effect instead of `now`, which is put back
  // should memory run out part way.
  void replace(std::size_t from, const std::vector<Action>& actions,
               const std::vector<Action>& now);
  void record(Step&& step);

  Composer& composer_;
  std::vector<Composer::Undo> done_;  // one per action in effect
  std::vector<Step> steps_;           // what undo takes back, the last at the back
  std::vector<Step> undone_;          // what redo does again, the last at the back
};

}  // namespace kinemora
