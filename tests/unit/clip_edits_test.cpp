// Editing the clips is editing the words: each edit of the table gives the
// words written out by hand, and the history after it holds byte for byte
// what a freshly started program fed those words holds, then the words
// before it on undo and after it again on redo.
#include "compose/clip_edits.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compose/composition_file.h"
#include "test_support.h"

namespace kinemora {
namespace {

std::vector<Action> words(const std::string& text) {
  std::vector<Action> actions;
  std::istringstream in(text);
  for (std::string word; in >> word;) actions.push_back(*actionNamed(word));
  return actions;
}

// The bytes of the BVH a composition of the words writes, fresh.
std::string fileOf(const Composer& composer) {
  return test::capturedText([&](std::FILE* f) {
    Output out(f);
    std::string error;
    EXPECT_TRUE(composer.write(out, FileFormat::Bvh, &error)) << error;
  });
}
// A freshly started program fed the words.
struct Fresh {
  explicit Fresh(const std::string& text) {
    for (const Action& action : words(text)) composer.perform(action);
  }
  Composer composer;
};

using Edit = std::function<ClipEdit(const std::vector<ClipWord>&, ClipRange)>;

const Edit kDelete = deleteClips;
const Edit kEarlier = [](const auto& c, ClipRange r) { return moveClips(c, r, -1); };
const Edit kLater = [](const auto& c, ClipRange r) { return moveClips(c, r, +1); };
const Edit kDragToStart = [](const auto& c, ClipRange r) { return moveClipsTo(c, r, 0); };
const Edit kDuplicate = duplicateClips;
const Edit kInsertCheer = [](const auto& c, ClipRange r) {
  return insertClip(c, r, Motion::Cheer, false);
};
const Edit kReplaceBend = [](const auto& c, ClipRange r) {
  return replaceClips(c, r, Motion::Bend);
};
const Edit kToggleNoise = toggleClipNoise;

struct EditCase {
  const char* name;
  const char* before;
  Edit edit;
  ClipRange range;
  const char* after;  // the words, written out by hand
  ClipRange selected;
};

const EditCase kEdits[] = {
    // name                       words before                        edit          range   words after                          selected
    {"delete the first",          "rhumba clap bend",                 kDelete,      {0, 0}, "clap bend",                         {0, 0}},
    {"delete a middle one",       "rhumba clap bend",                 kDelete,      {1, 1}, "rhumba bend",                       {1, 1}},
    {"delete the last",           "rhumba clap bend",                 kDelete,      {2, 2}, "rhumba clap",                       {1, 1}},
    {"delete the only one",       "seizure",                          kDelete,      {0, 0}, "",                                  {}},
    {"delete a range",            "rhumba clap bend cheer",           kDelete,      {1, 2}, "rhumba cheer",                      {1, 1}},
    {"move the first earlier",    "rhumba clap bend",                 kEarlier,     {0, 0}, "rhumba clap bend",                  {0, 0}},
    {"move a middle one earlier", "rhumba clap bend",                 kEarlier,     {1, 1}, "clap rhumba bend",                  {0, 0}},
    {"move the last later",       "rhumba clap bend",                 kLater,       {2, 2}, "rhumba clap bend",                  {2, 2}},
    {"move a range later",        "punchR punchL clap seizure",       kLater,       {0, 1}, "clap punchR punchL seizure",        {1, 2}},
    {"drag the last to the start", "rhumba clap bend",                kDragToStart, {2, 2}, "bend rhumba clap",                  {0, 0}},
    {"duplicate a middle one",    "rhumba seizure bend",              kDuplicate,   {1, 1}, "rhumba seizure seizure bend",       {2, 2}},
    {"duplicate a range",         "rhumba clap bend",                 kDuplicate,   {0, 1}, "rhumba clap rhumba clap bend",      {2, 3}},
    {"insert before the first",   "rhumba clap",                      kInsertCheer, {0, 0}, "cheer rhumba clap",                 {0, 0}},
    {"insert with nothing chosen", "rhumba clap",                     kInsertCheer, {},     "rhumba clap cheer",                 {2, 2}},
    {"replace the last",          "rhumba clap",                      kReplaceBend, {1, 1}, "rhumba bend",                       {1, 1}},
    {"replace a range",           "punchR punchL cheer",              kReplaceBend, {0, 1}, "bend bend cheer",                   {0, 1}},
    {"noise on a middle one",     "rhumba clap bend",                 kToggleNoise, {1, 1}, "rhumba noise clap noise bend",      {1, 1}},
    {"noise off the last",        "noise rhumba clap",                kToggleNoise, {1, 1}, "noise rhumba noise clap noise",     {1, 1}},
    {"noise on the last, switch on", "rhumba clap noise",             kToggleNoise, {1, 1}, "rhumba noise clap",                 {1, 1}},
    {"after a clear",             "seizure noise cheer clear clap bend", kDelete,   {0, 0}, "seizure noise cheer clear bend",    {0, 0}},
    {"noise around, moved",       "noise seizure noise clap bend",    kLater,       {0, 0}, "clap noise seizure noise bend",     {1, 1}},
};

TEST(ClipEdits, EachEditIsTheProgramFedTheEditedWords) {
  for (const EditCase& e : kEdits) {
    Composer composer;
    History history(composer);
    for (const Action& action : words(e.before)) history.perform(action);
    const std::string fileBefore = fileOf(composer);

    const ClipEdit edited = e.edit(clipWords(clipsOf(history.actions())), e.range);
    applyClips(history, edited.clips);
    EXPECT_EQ(compositionText(history.actions()), compositionText(words(e.after))) << e.name;
    EXPECT_EQ(edited.selected, e.selected) << e.name;
    const Fresh fresh(e.after);
    const std::string fileAfter = fileOf(fresh.composer);
    EXPECT_TRUE(fileOf(composer) == fileAfter) << e.name;
    EXPECT_EQ(composer.queueText(), fresh.composer.queueText()) << e.name;
    EXPECT_EQ(composer.noise(), fresh.composer.noise()) << e.name;

    if (std::string(e.before) == e.after) continue;  // no change, no step to undo
    history.undo();
    EXPECT_TRUE(fileOf(composer) == fileBefore) << e.name << ", undone";
    history.redo();
    EXPECT_TRUE(fileOf(composer) == fileAfter) << e.name << ", redone";
  }
}

}  // namespace
}  // namespace kinemora
