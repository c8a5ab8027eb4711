#include "compose/composer.h"

#include <cstdint>
#include <vector>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "compose/memory_need.h"
#include "test_support.h"

namespace kinemora {
namespace {

// Presses the buttons named in `actions`: a motion label, "clear" or "noise".
void perform(Composer& composer, const std::string& actions) {
  std::istringstream words(actions);
  std::string word;
  while (words >> word) {
    const std::optional<Action> action = actionNamed(word);
    ASSERT_TRUE(action) << word;
    composer.perform(*action);
  }
}

struct Composition {
  const char* actions;
  const char* queueText;
  int frames;  // stored since the last "clear": all of them on the timeline
};

const Composition kCompositions[] = {
    // actions                     queue text                frames
    {"",                           "",                       0},
    {"clear",                      "",                       0},
    {"rhumba",                     "rhumba ",                110},
    {"rhumba rhumba",              "rhumba rhumba ",         207},
    {"rhumba clap",                "rhumba clap ",           220},
    {"punchR punchL punchR",       "punchR punchL punchR ",  52},
    {"punchR cheer",               "punchR cheer ",          136},
    {"rhumba clear rhumba",        "rhumba ",                97},
    {"cheer punchL clear clap",    "clap ",                  110},
};

TEST(Composer, CompositionsStoreAndShowTheirFrames) {
  for (const Composition& c : kCompositions) {
    Composer composer;
    perform(composer, c.actions);
    EXPECT_EQ(composer.queueText(), c.queueText) << c.actions;
    EXPECT_EQ(composer.frameCount(), c.frames) << c.actions;
  }
}

TEST(Composer, TransitionsFollowTheLastPress) {
  Composer composer;
  EXPECT_FALSE(composer.lastMotion());

  struct Step {
    Motion motion;
    int framesAdded;
  };
  const Step steps[] = {
      // pressed          frames added
      {Motion::PunchR,    13 + 13},
      {Motion::PunchL,    13},       // a punch after a punch
      {Motion::Cheer,     13 + 97},
      {Motion::Cheer,     97},
      {Motion::Seizure,   13 + 97},
  };
  for (const Step& step : steps) {
    const int before = composer.frameCount();
    composer.press(step.motion);
    EXPECT_EQ(composer.frameCount() - before, step.framesAdded);
    EXPECT_EQ(composer.lastMotion(), step.motion);
  }
  // "clear" forgets the frames but not which motion came last.
  composer.clear();
  EXPECT_EQ(composer.lastMotion(), Motion::Seizure);
  composer.press(Motion::Seizure);
  EXPECT_EQ(composer.frameCount(), 97);
}

TEST(Composer, NoiseSwitchedOnAndOffBetweenMotionsLeavesNone) {
  Composer plain;
  perform(plain, "rhumba clap");
  Composer toggled;
  perform(toggled, "rhumba noise noise clap");
  EXPECT_FALSE(toggled.noise());
  for (int j = 0; j < kJointCount; ++j) {
    for (int f = 0; f < plain.frameCount(); ++f) {
      ASSERT_EQ(test::matrixOf(toggled.frames()[f].rotations[j]),
                test::matrixOf(plain.frames()[f].rotations[j]));
    }
  }
}

// Saving writes every frame on the timeline, the last of each block too.
TEST(Composer, SaveWritesEveryFrameOnTheTimeline) {
  const struct {
    const char* actions;
    int lines;
  } kSaves[] = {{"", 0}, {"rhumba", 13 + 97}, {"rhumba clear", 0}, {"punchR punchL", 13 + 13 + 13}};
  for (const auto& save : kSaves) {
    Composer composer;
    perform(composer, save.actions);
    const std::string text =
        test::capturedText([&](std::FILE* f) {
          Output out(f);
          std::string error;
          EXPECT_TRUE(composer.write(out, FileFormat::Bvh, &error)) << error;
        });
    const std::size_t header = text.find("Frame Time: 0.033333\n");
    ASSERT_NE(header, std::string::npos);
    const std::string frames = text.substr(header + 21);
    EXPECT_EQ(std::count(frames.begin(), frames.end(), '\n'), save.lines) << save.actions;
    EXPECT_NE(text.find("Frames: " + std::to_string(save.lines) + "\n"), std::string::npos);
  }
}

// The frames a composition stores, counted from its words, as composing
// them stores: undo and redo as the history has them, "clear" keeping its
// frames for undo.
TEST(MemoryNeed, FramesStoredByTheWordsAreWhatComposingStores) {
  const struct {
    const char* actions;
    std::uint64_t frames;
  } kCounts[] = {
      // actions                          most frames stored at once
      {"",                                0},
      {"rhumba clap",                     220},
      {"punchR punchL clear punchR",      52},        // "clear" keeps its frames
      {"rhumba clap undo clap",           220},
      {"rhumba clap undo undo redo cheer", 220},     // the redone rhumba, then cheer
      {"rhumba undo redo redo",           110},       // nothing left to redo
      {"cheer cheer undo punchL",         207},       // the most was before the undo
  };
  for (const auto& c : kCounts) {
    std::vector<Action> actions;
    std::istringstream words(c.actions);
    for (std::string word; words >> word;) actions.push_back(*actionNamed(word));
    EXPECT_EQ(framesStoredBy(actions), c.frames) << c.actions;
  }
  const std::vector<Action> huge(1000, Action{Action::Kind::Press, Motion::Cheer});
  EXPECT_EQ(memoryRefusal(huge, std::uint64_t{1} << 40), std::nullopt);
  const std::optional<std::string> refusal = memoryRefusal(huge, 10'000'000);
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->find("would store 97013 frames"), std::string::npos) << *refusal;
}

}  // namespace
}  // namespace kinemora
