#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "export/file_format.h"
#include "figure/motion_tracks.h"
#include "math/angles.h"
#include "test_support.h"

namespace kinemora {
namespace {

constexpr std::size_t kHierarchyLines = 121;

// What writing frames 0..frames-1 gives, or nothing with *error set.
std::string bvhText(const FrameStore& stored, int frames, std::string* error = nullptr) {
  std::string reason;
  return test::capturedText([&](std::FILE* f) {
    Output out(f);
    const bool written = writeAnimation(stored, frames, FileFormat::Bvh, out, &reason);
    if (error) {
      *error = written ? "" : reason;
    } else {
      EXPECT_TRUE(written) << reason;
    }
  });
}

// The rotation whose channels read z, x, y (degrees): Rz(z) Rx(x) Ry(y).
Quaternion channelRotation(float z, float x, float y) {
  Quaternion q;
  q.premultiply(Quaternion(Vec3(0, 1, 0), -degreesToRadians(y)));
  q.premultiply(Quaternion(Vec3(1, 0, 0), -degreesToRadians(x)));
  q.premultiply(Quaternion(Vec3(0, 0, 1), -degreesToRadians(z)));
  return q;
}

// The lines of a text that must end with a line end.
std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  EXPECT_TRUE(!text.empty() && text.back() == '\n');
  return out;
}

const char* const kFirstLines[] = {
    "HIERARCHY",
    "ROOT Root",
    "{",
    "\tOFFSET 0. 0. 0.",
    "\tCHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation",
    "\tJOINT Waist",
    "\t{",
    "\t\tOFFSET 0. 0. 0.",
    "\t\tCHANNELS 3 Zrotation Xrotation Yrotation",
    "\t\tJOINT Neck",
    "\t\t{",
    "\t\t\tOFFSET 0. 20. 0.",
    "\t\t\tCHANNELS 3 Zrotation Xrotation Yrotation",
    "\t\t\tJOINT Nod",
    "\t\t\t{",
    "\t\t\t\tOFFSET 0. 5. 0.",
    "\t\t\t\tCHANNELS 3 Zrotation Xrotation Yrotation",
    "\t\t\t\tEnd Site",
    "\t\t\t\t{",
    "\t\t\t\t\tOFFSET 0.00 0.00 0.00",
    "\t\t\t\t}",
    "\t\t\t}",
    "\t\t}",
};

// A joint's name line and OFFSET line, indented by its depth; the figure's
// offsets are whole numbers, written with a point.
std::string tabs(int n) { return std::string(n, '\t'); }
std::string whole(float v) { return std::to_string(static_cast<int>(v)) + "."; }
std::string nameLine(const test::TreeEntry& j) {
  return tabs(j.depth) + (j.depth == 0 ? "ROOT " : "JOINT ") + j.name;
}
// The root's OFFSET is zero: where it stands is in its position channels.
std::string offsetLine(const test::TreeEntry& j) {
  const Vec3 o = j.depth == 0 ? Vec3() : j.offset;
  return tabs(j.depth + 1) + "OFFSET " + whole(o.x) + " " + whole(o.y) + " " + whole(o.z);
}

TEST(BvhWriter, ZeroFramesIsTheHierarchyAndTheMotionHeader) {
  const std::vector<std::string> file = lines(bvhText(FrameStore(), 0));
  ASSERT_EQ(file.size(), kHierarchyLines + 3);
  for (std::size_t n = 0; n < std::size(kFirstLines); ++n) EXPECT_EQ(file[n], kFirstLines[n]);
  EXPECT_EQ(file[kHierarchyLines - 1], "}");
  EXPECT_EQ(file[kHierarchyLines], "MOTION");
  EXPECT_EQ(file[kHierarchyLines + 1], "Frames: 0");
  EXPECT_EQ(file[kHierarchyLines + 2], "Frame Time: 0.033333");
}

TEST(BvhWriter, HierarchyHoldsEveryJointWithItsOffset) {
  const std::vector<std::string> file = lines(bvhText(FrameStore(), 0));
  std::size_t joint = 0;
  int endSites = 0;
  for (std::size_t n = 0; n < kHierarchyLines; ++n) {
    if (file[n].find("End Site") != std::string::npos) ++endSites;
    if (file[n].find("ROOT ") == std::string::npos && file[n].find("JOINT ") == std::string::npos)
      continue;
    ASSERT_LT(joint, std::size(test::kPreOrder));
    EXPECT_EQ(file[n], nameLine(test::kPreOrder[joint]));
    EXPECT_EQ(file[n + 2], offsetLine(test::kPreOrder[joint]));
    ++joint;
  }
  EXPECT_EQ(joint, std::size(test::kPreOrder));
  EXPECT_EQ(endSites, 5);
}

// The root's position (0 60 0) and 20 joints' z, x, y: 63 numbers, each
// followed by a space.
TEST(BvhWriter, FrameLinesHold63ValuesEachFollowedByASpace) {
  test::FreshFigure figure;
  const MotionRecords rhumba = motionRecords(Motion::Rhumba);
  appendTransition(figure.skeleton, rhumba, 13, true, figure.random);
  appendFrames(figure.skeleton, rhumba, 97, true, figure.random);
  const std::vector<std::string> file = lines(bvhText(figure.skeleton.frames, 110));
  ASSERT_EQ(file.size(), kHierarchyLines + 3 + 110);
  EXPECT_EQ(file[kHierarchyLines + 1], "Frames: 110");
  for (std::size_t n = kHierarchyLines + 3; n < file.size(); ++n) {
    const std::string& line = file[n];
    ASSERT_EQ(line.rfind("0. 60. 0. ", 0), 0u) << line;
    ASSERT_EQ(line.back(), ' ');
    ASSERT_EQ(line.find("  "), std::string::npos);
    std::istringstream tokens(line);
    int count = 0;
    for (std::string token; tokens >> token; ++count) {
      char* end = nullptr;
      std::strtod(token.c_str(), &end);
      ASSERT_EQ(*end, '\0') << token;
    }
    ASSERT_EQ(count, 63);
  }
}

// Frame lines hold each joint's channels z, x, y in pre-order, read from
// its stored rotation; zeros of either sign are "0.".
TEST(BvhWriter, FrameLineFromTheStoredRotations) {
  FrameStore frames;
  frames.append().rotations[kRoot] = channelRotation(-10, 0, 0);
  frames[0].rotations[kWaist] = Quaternion(-0.0f, -0.0f, -0.0f, 1.0f);
  frames.append().rotations[kLankle] = channelRotation(123.4f, 1.5f, -0.25f);

  std::string zeros;
  for (int n = 0; n < 19; ++n) zeros += "0. 0. 0. ";
  const std::vector<std::string> file = lines(bvhText(frames, 2));
  ASSERT_EQ(file.size(), kHierarchyLines + 5);
  EXPECT_EQ(file[kHierarchyLines + 3], "0. 60. 0. -10. 0. 0. " + zeros);
  EXPECT_EQ(file[kHierarchyLines + 4], "0. 60. 0. " + zeros + "123 1.5 -0.25 ");
}

TEST(BvhWriter, RefusesFrameCountsOutsideTheStoredFrames) {
  FrameStore stored;
  for (int f = 0; f < 3; ++f) stored.append();
  for (int frames : {4, -1}) {
    std::string error;
    EXPECT_EQ(bvhText(stored, frames, &error), "") << frames;
    EXPECT_FALSE(error.empty()) << frames;
  }
}

}  // namespace
}  // namespace kinemora
