// Every number in a composed file reads back (strtod) as the value it was
// written from: the stored angle of its joint, frame and channel, or the
// joint's offset, within half a unit of the last digit written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "compose/composer.h"
#include "figure/motion_tracks.h"
#include "bvh_number_reference.h"
#include "composition.h"
#include "scratch_directory.h"

namespace kinemora {
namespace {

using reliability::ScratchDirectory;

struct Composition {
  const char* name;
  std::vector<std::string> actions;
};

const Composition kCompositions[] = {
    {"rhumba", {"rhumba"}},
    {"clap", {"clap"}},
    {"bend", {"bend"}},
    {"seizure", {"seizure"}},
    {"punchR", {"punchR"}},
    {"punchL", {"punchL"}},
    {"cheer", {"cheer"}},
    {"mixed_with_repeats",
     {"rhumba", "rhumba", "clap", "punchR", "punchL", "punchR", "cheer", "seizure", "seizure",
      "bend", "punchL", "rhumba"}},
    {"noise_on_and_off",
     {"noise", "seizure", "clap", "punchL", "punchR", "noise", "bend", "noise", "cheer"}},
    {"clear_in_between",
     {"cheer", "punchR", "clear", "punchR", "bend", "noise", "clear", "clap", "clap", "rhumba"}},
};

void PrintTo(const Composition& composition, std::ostream* out) { *out << composition.name; }

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == separator) {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the rule's number grammar: [-] digits [. digits] [e sign ddd].
struct WrittenNumber {
  bool wellFormed = false;
  std::string integer, fraction;
  bool point = false, exponential = false;
  int exponent = 0;
};

WrittenNumber scan(const std::string& token) {
  WrittenNumber n;
  std::size_t i = token.size() > 0 && token[0] == '-' ? 1 : 0;
  while (i < token.size() && isDigit(token[i])) n.integer += token[i++];
  if (i < token.size() && token[i] == '.') {
    n.point = true;
    ++i;
    while (i < token.size() && isDigit(token[i])) n.fraction += token[i++];
  }
  if (i < token.size() && token[i] == 'e') {
    if (token.size() != i + 5 || (token[i + 1] != '+' && token[i + 1] != '-')) return n;
    for (std::size_t k = i + 2; k < i + 5; ++k) {
      if (!isDigit(token[k])) return n;
    }
    n.exponential = true;
    n.exponent = std::atoi(token.c_str() + i + 1);
    i += 5;
  }
  n.wellFormed = i == token.size() && !n.integer.empty();
  return n;
}

int significantDigits(const WrittenNumber& n) {
  const std::string all = n.integer + n.fraction;
  const std::size_t first = all.find_first_not_of('0');
  return first == std::string::npos ? 0 : static_cast<int>(all.size() - first);
}

// The token is a number the rule can write with `digits` significant digits
// and reads back as `value` within half a unit of its last written digit.
::testing::AssertionResult standsFor(const std::string& token, double value, int digits) {
  const WrittenNumber n = scan(token);
  auto fail = [&](const char* why) {
    return ::testing::AssertionFailure() << "'" << token << "' for " << value << ": " << why;
  };
  if (!n.wellFormed) return fail("not a number of the rule's form");
  if (value == 0.0) return token == "0." ? ::testing::AssertionSuccess() : fail("zero is \"0.\"");
  if (n.exponential && (n.integer.size() != 1 || n.integer == "0" || !n.point)) {
    return fail("exponential form is d.ddd");
  }
  if (!n.exponential && n.integer.size() > 1 && n.integer[0] == '0') return fail("leading zero");
  if (!n.fraction.empty() && n.fraction.back() == '0') return fail("fraction zeros kept");
  if (significantDigits(n) > digits) return fail("too many significant digits");

  char* end = nullptr;
  const double read = std::strtod(token.c_str(), &end);
  if (*end != '\0') return fail("strtod stops early");
  if (read == 0.0) return fail("a non-zero value reads back as zero");
  const double unit =
      std::pow(10.0, n.exponent - static_cast<int>(n.fraction.size()));
  const double error = std::fabs(read - value);
  if (error > 0.5 * unit * (1 + 1e-9)) {
    return fail("off by more than half a unit of the last digit");
  }
  return ::testing::AssertionSuccess();
}


std::string withoutTabs(const std::string& line) {
  const std::size_t first = line.find_first_not_of('\t');
  return first == std::string::npos ? "" : line.substr(first);
}

class ComposedFile : public ::testing::TestWithParam<Composition> {
 protected:
  void SetUp() override {
    reliability::perform(composer, GetParam().actions);
    const std::string path = scratch / "composed.bvh";
    const SaveResult saved = composer.save(path.c_str());
    ASSERT_TRUE(saved.ok) << saved.message;
    lines = split(reliability::readFile(path), '\n');
    joints.assign(kPreOrder.begin(), kPreOrder.end());
  }

  // Walks the hierarchy, checking every OFFSET; returns the line after "MOTION".
  std::size_t checkHierarchy() {
    std::size_t next = 0;
    int current = kRoot;
    bool endSite = false;
    std::size_t line = 1;
    EXPECT_EQ(lines[0], "HIERARCHY");
    for (; line < lines.size() && lines[line] != "MOTION"; ++line) {
      const std::string text = withoutTabs(lines[line]);
      const std::size_t space = text.find(' ');
      const std::string head = text.substr(0, space);
      if (head == "ROOT" || head == "JOINT") {
        EXPECT_LT(next, joints.size());
        if (next >= joints.size()) break;
        current = joints[next++];
        EXPECT_EQ(text.substr(space + 1), kFigureJoints[current].name);
        endSite = false;
      } else if (text == "End Site") {
        endSite = true;
      } else if (head == "OFFSET" && endSite) {
        EXPECT_EQ(text, "OFFSET 0.00 0.00 0.00");
        endSite = false;
      } else if (head == "OFFSET") {
        const std::vector<std::string> xyz = split(text.substr(space + 1), ' ');
        EXPECT_EQ(xyz.size(), 3u) << text;
        if (xyz.size() != 3) continue;
        // The root's place is in its position channels instead.
        const Vec3 offset = current == kRoot ? Vec3() : kFigureJoints[current].offset;
        const float expected[] = {offset.x, offset.y, offset.z};
        for (int axis = 0; axis < 3; ++axis) {
          EXPECT_TRUE(standsFor(xyz[axis], expected[axis], 7)) << kFigureJoints[current].name;
          EXPECT_EQ(xyz[axis], reference::bvhNumber(expected[axis], 7)) << kFigureJoints[current].name;
        }
      }
    }
    EXPECT_EQ(next, joints.size()) << "joints in the hierarchy";
    return line + 1;
  }

  void checkFrameLine(const std::string& line, int frame) {
    const std::vector<std::string> tokens = split(line, ' ');
    ASSERT_EQ(tokens.size(), 3 + 3 * joints.size() + 1) << "frame " << frame;
    ASSERT_EQ(tokens.back(), "") << "every value is followed by a space";
    const char* const rootPosition[] = {"0.", "60.", "0."};
    for (int i = 0; i < 3; ++i) ASSERT_EQ(tokens[i], rootPosition[i]) << "root, frame " << frame;
    std::size_t t = 3;
    for (const int joint : joints) {
      const Vec3 a = channelAngles(composer.frames()[frame].rotations[joint]);
      const float zxy[] = {a.z, a.x, a.y};
      for (int channel = 0; channel < 3; ++channel, ++t) {
        ASSERT_TRUE(standsFor(tokens[t], zxy[channel], 3))
            << kFigureJoints[joint].name << " frame " << frame << " channel " << "ZXY"[channel];
        ASSERT_EQ(tokens[t], reference::bvhNumber(zxy[channel], 3))
            << kFigureJoints[joint].name << " frame " << frame << " channel " << "ZXY"[channel];
      }
    }
  }

  Composer composer;
  ScratchDirectory scratch;
  std::vector<std::string> lines;
  std::vector<int> joints;  // in the file's order
};

TEST_P(ComposedFile, EveryNumberReadsBackAsTheValueItStandsFor) {
  std::size_t line = checkHierarchy();
  ASSERT_LT(line + 1, lines.size());
  const int frames = composer.frameCount();
  ASSERT_EQ(lines[line], "Frames: " + std::to_string(frames));
  ASSERT_EQ(lines[line + 1], "Frame Time: 0.033333");
  line += 2;
  ASSERT_EQ(lines.size(), line + frames + 1) << "one line per frame, then the final line end";
  for (int frame = 0; frame < frames; ++frame) {
    checkFrameLine(lines[line + frame], frame);
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(lines.back(), "");
}

INSTANTIATE_TEST_SUITE_P(Compositions, ComposedFile, ::testing::ValuesIn(kCompositions),
                         [](const ::testing::TestParamInfo<Composition>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace kinemora
