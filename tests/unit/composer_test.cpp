#include "compose/composer.h"

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

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
  int storedFrames;
  int maximum;
};

const Composition kCompositions[] = {
    // actions                     queue text                stored  maximum
    {"",                           "",                       0,      0},
    {"clear",                      "",                       0,      0},
    {"rhumba",                     "rhumba ",                110,    108},
    {"rhumba rhumba",              "rhumba rhumba ",         207,    204},
    {"rhumba clap",                "rhumba clap ",           220,    216},
    {"punchR punchL punchR",       "punchR punchL punchR ",  52,     48},
    {"punchR cheer",               "punchR cheer ",          136,    132},
    {"rhumba clear rhumba",        "rhumba ",                97,     96},
    {"cheer punchL clear clap",    "clap ",                  110,    108},
};

TEST(Composer, CompositionsStoreAndShowTheirFrames) {
  for (const Composition& c : kCompositions) {
    auto skeleton = test::freshSkeleton();
    Composer composer(*skeleton);
    perform(composer, c.actions);
    EXPECT_EQ(composer.queueText(), c.queueText) << c.actions;
    EXPECT_EQ(skeleton->frameCount(), c.storedFrames) << c.actions;
    EXPECT_EQ(composer.timelineMaximum(), c.maximum) << c.actions;
  }
}

TEST(Composer, TransitionsFollowTheLastPress) {
  auto skeleton = test::freshSkeleton();
  Composer composer(*skeleton);
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
    const int before = skeleton->frameCount();
    composer.press(step.motion);
    EXPECT_EQ(skeleton->frameCount() - before, step.framesAdded);
    EXPECT_EQ(composer.lastMotion(), step.motion);
  }
  // "clear" forgets the frames but not which motion came last.
  composer.clear();
  EXPECT_EQ(composer.lastMotion(), Motion::Seizure);
  composer.press(Motion::Seizure);
  EXPECT_EQ(skeleton->frameCount(), 97);
}

// Each block of n frames adds n - 1 to the maximum.
TEST(Composer, MaximumIsStoredFramesMinusBlocks) {
  auto skeleton = test::freshSkeleton();
  Composer composer(*skeleton);
  std::mt19937 random(17);
  int blocks = 0;
  for (int n = 0; n < 60; ++n) {
    const int pick = static_cast<int>(random() % 9);
    if (pick == 7) {
      composer.clear();
      blocks = 0;
    } else if (pick == 8) {
      composer.toggleNoise();
    } else {
      const MotionEntry& entry = kMotions[pick % kMotionCount];
      const int before = skeleton->frameCount();
      composer.press(entry.motion);
      blocks += skeleton->frameCount() - before > entry.frames ? 2 : 1;
    }
    ASSERT_EQ(skeleton->frameCount() - blocks, composer.timelineMaximum()) << "step " << n;
  }
}

TEST(Composer, NoiseSwitchedOnAndOffBetweenMotionsLeavesNone) {
  auto plain = test::freshSkeleton();
  Composer a(*plain);
  perform(a, "rhumba clap");
  auto toggled = test::freshSkeleton();
  Composer b(*toggled);
  perform(b, "rhumba noise noise clap");
  EXPECT_FALSE(b.noise());
  for (int j = 0; j < kJointCount; ++j) {
    for (int f = 0; f < plain->frameCount(); ++f) {
      ASSERT_EQ(test::matrixOf(toggled->joint(j).rotations[f]),
                test::matrixOf(plain->joint(j).rotations[f]));
    }
  }
}

// Saving writes the frames on the timeline: the two highest stored frames of
// a single motion stay out of the file.
TEST(Composer, SaveWritesTheTimelinesFrames) {
  for (const char* actions : {"", "rhumba", "rhumba clear", "punchR punchL"}) {
    auto skeleton = test::freshSkeleton();
    Composer composer(*skeleton);
    perform(composer, actions);
    const std::string text =
        test::capturedText([&](std::FILE* f) { EXPECT_TRUE(composer.save(f)); });
    const std::size_t header = text.find("Frame time: 0.033333\n");
    ASSERT_NE(header, std::string::npos);
    const std::string frames = text.substr(header + 21);
    const int lines = static_cast<int>(std::count(frames.begin(), frames.end(), '\n'));
    EXPECT_EQ(lines, composer.timelineMaximum()) << actions;
    EXPECT_NE(text.find("Frames: " + std::to_string(lines) + "\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace kinemora
