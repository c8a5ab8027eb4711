// Undo and redo are exact: a session with undos and redos writes the same
// bytes, and holds the same actions, as a fresh session of only the actions
// left in effect.
#include "compose/history.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "compose/composition_file.h"
#include "test_support.h"

namespace kinemora {
namespace {

struct Session {
  Composer composer;
  History history{composer};

  explicit Session(const std::string& words) {
    std::istringstream in(words);
    for (std::string word; in >> word;) history.perform(*actionNamed(word));
  }
  std::string file() const {
    return test::capturedText([&](std::FILE* f) {
      Output out(f);
      std::string error;
      EXPECT_TRUE(composer.write(out, FileFormat::Bvh, &error)) << error;
    });
  }
};

struct Equivalence {
  const char* withUndo;
  const char* inEffect;
};

const Equivalence kEquivalences[] = {
    // session                               actions in effect
    {"rhumba clap undo cheer",               "rhumba cheer"},
    {"rhumba clap undo redo",                "rhumba clap"},
    {"seizure seizure undo seizure",         "seizure seizure"},      // the random stream
    {"noise rhumba undo clap seizure",       "noise clap seizure"},   // the noise tables
    {"noise cheer cheer undo undo noise",    "noise noise"},
    {"rhumba clear undo clap",               "rhumba clap"},          // cleared frames back
    {"rhumba clear undo redo clap",          "rhumba clear clap"},
    {"punchR punchL undo undo redo cheer",   "punchR cheer"},         // the last motion
    {"rhumba clap undo seizure redo",        "rhumba seizure"},       // redo list dropped
    {"bend undo undo undo redo redo redo",   "bend"},                 // nothing left to do
    {"clap noise punchL clear bend undo undo undo redo", "clap noise punchL"},
};

TEST(History, UndoneActionsLeaveNoTrace) {
  for (const Equivalence& e : kEquivalences) {
    Session undone(e.withUndo);
    const std::string undoneFile = undone.file();
    const std::string undoneText = compositionText(undone.history.actions());
    const std::string queue = undone.composer.queueText();
    const bool noise = undone.composer.noise();

    Session plain(e.inEffect);
    EXPECT_EQ(undoneFile, plain.file()) << e.withUndo;
    EXPECT_EQ(undoneText, compositionText(plain.history.actions())) << e.withUndo;
    EXPECT_EQ(queue, plain.composer.queueText()) << e.withUndo;
    EXPECT_EQ(noise, plain.composer.noise()) << e.withUndo;
  }
}

// Opening a composition: a restart, then its actions, whatever came before.
TEST(History, RestartIsAFreshProgram) {
  Session used("noise seizure cheer clear punchR");
  used.history.restart();
  EXPECT_FALSE(used.history.canUndo());
  for (const char* word : {"seizure", "noise", "bend"}) used.history.perform(*actionNamed(word));
  EXPECT_EQ(used.file(), Session("seizure noise bend").file());
}

}  // namespace
}  // namespace kinemora
