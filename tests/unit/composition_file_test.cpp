#include "compose/composition_file.h"

#include <gtest/gtest.h>

namespace kinemora {
namespace {

using namespace std::literals;

struct Parse {
  std::string_view text;
  const char* actions;  // the words read, or nullptr when refused
  const char* error;    // in the message when refused
};

const Parse kParses[] = {
    {"# kinemora composition 1\nrhumba clap\n"sv,            "rhumba clap", ""},
    {"# kinemora composition 1\r\nrhumba # a comment\r\n  cheer#x\n\tnoise undo"sv,
                                                              "rhumba cheer noise undo", ""},
    {"# kinemora composition 1"sv,                            "", ""},
    {""sv,                                                    nullptr, "line 1: not a Kinemora composition"},
    {"rhumba clap\n"sv,                                       nullptr, "line 1: not a Kinemora composition"},
    {"\xEF\xBB\xBF# kinemora composition 1\nclap\n"sv,        "clap", ""},
    {"# kinemora composition 2\nrhumba\n"sv,                  nullptr,
                                      "version 2 is not supported (this program reads version 1)"},
    {"# kinemora composition 1\nrhumba\n\nclapp cheer\n"sv,   nullptr, "line 4: unknown word 'clapp'"},
    {"# kinemora composition 1\nRhumba\n"sv,                  nullptr, "line 2: unknown word 'Rhumba'"},
    {"# kinemora composition 1\nrhumba \x1b[2J\n"sv,          nullptr, "line 2: not text (a byte 0x1b)"},
    {"# kinemora composition 1\n\n\nrhu\0mba\n"sv,            nullptr, "line 4: not text (a byte 0x00)"},
};

std::string words(const std::vector<Action>& actions) {
  std::string out;
  for (const Action& a : actions) out += (out.empty() ? "" : " ") + std::string(wordOf(a));
  return out;
}

TEST(CompositionFile, ReadsWordsAndRefusesWhatIsNotAComposition) {
  for (const Parse& p : kParses) {
    std::vector<Action> actions;
    std::string error;
    const bool ok = parseComposition(p.text, &actions, &error);
    if (p.actions) {
      EXPECT_TRUE(ok) << std::string(p.text) << ": " << error;
      EXPECT_EQ(words(actions), p.actions) << std::string(p.text);
    } else {
      EXPECT_FALSE(ok) << std::string(p.text);
      EXPECT_NE(error.find(p.error), std::string::npos) << error;
    }
  }
}

TEST(CompositionFile, WrittenTextReadsBackAsTheSameActions) {
  std::vector<Action> actions;
  for (int i = 0; i < 50; ++i) {
    actions.push_back({Action::Kind::Press, kMotions[i % kMotionCount].motion});
    if (i % 7 == 0) actions.push_back({Action::Kind::Noise});
    if (i % 11 == 0) actions.push_back({Action::Kind::Clear});
  }
  std::vector<Action> read;
  std::string error;
  ASSERT_TRUE(parseComposition(compositionText(actions), &read, &error)) << error;
  EXPECT_EQ(words(read), words(actions));
}

}  // namespace
}  // namespace kinemora
