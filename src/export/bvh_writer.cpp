#include "export/bvh_writer.h"

#include <cstring>
#include <memory>
#include <string>

#include "export/bvh_number.h"
#include "export/channel_text.h"
#include "motion/joint_table.h"

namespace kinemora {

namespace {

constexpr int kOffsetDigits = 7;
constexpr int kChannelDigits = 3;

void tabs(Output& out, int count) {
  for (int i = 0; i < count; ++i) out.text("\t");
}

// One number with `digits` significant digits, then a space when asked.
void number(Output& out, double value, int digits, bool space) {
  char* at = out.room(kBvhNumberMaxChars + 1);
  int n = formatBvhNumber(value, digits, at);
  if (space) at[n++] = ' ';
  out.wrote(static_cast<std::size_t>(n));
}

// A joint's depth in the tree: the root's is 0.
int depthOf(int joint) {
  int depth = 0;
  for (int j = kFigureJoints[joint].parent; j != kNoParent; j = kFigureJoints[j].parent) ++depth;
  return depth;
}

void closeBlocks(Output& out, int fromDepth, int toDepth) {
  for (int d = fromDepth; d >= toDepth; --d) {
    tabs(out, d);
    out.text("}\n");
  }
}

// The joints in pre-order, each block closed once the walk leaves it.
void writeHierarchy(Output& out) {
  int previousDepth = -1;
  for (const JointIndex joint : kPreOrder) {
    const int depth = depthOf(joint);
    closeBlocks(out, previousDepth, depth);
    tabs(out, depth);
    if (joint != kRoot) out.text("JOINT ");
    out.text(kFigureJoints[joint].name);
    out.text("\n");
    tabs(out, depth);
    out.text("{\n");
    // The root's place goes in its position channels, where every reader
    // takes it; some add the root's OFFSET to them and some drop it, so it
    // is zero.
    const Vec3 offset = joint == kRoot ? Vec3() : kFigureJoints[joint].offset;
    tabs(out, depth + 1);
    out.text("OFFSET ");
    number(out, offset.x, kOffsetDigits, true);
    number(out, offset.y, kOffsetDigits, true);
    number(out, offset.z, kOffsetDigits, false);
    out.text("\n");
    tabs(out, depth + 1);
    out.text(joint == kRoot
                 ? "CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
                 : "CHANNELS 3 Zrotation Xrotation Yrotation\n");
    if (isLeaf(joint)) {
      tabs(out, depth + 1);
      out.text("End Site\n");
      tabs(out, depth + 1);
      out.text("{\n");
      tabs(out, depth + 2);
      out.text("OFFSET 0.00 0.00 0.00\n");
      tabs(out, depth + 1);
      out.text("}\n");
    }
    previousDepth = depth;
  }
  closeBlocks(out, previousDepth, 0);
}

void writeFrameLine(const Pose& pose, ChannelText& channels, Output& out) {
  const Vec3& at = kFigureJoints[kRoot].offset;  // the figure never leaves its spot
  number(out, at.x, kChannelDigits, true);
  number(out, at.y, kChannelDigits, true);
  number(out, at.z, kChannelDigits, true);
  for (const JointIndex joint : kPreOrder) out.text(channels.of(pose.rotations[joint]));
  out.text("\n");
}

class BvhWriter : public AnimationWriter {
 public:
  explicit BvhWriter(Output& out) : out_(out) {}

  bool begin(int frameCount, std::string*) override {
    out_.text("HIERARCHY\nROOT ");
    writeHierarchy(out_);
    out_.text("MOTION\nFrames: ");
    out_.text(std::to_string(frameCount));
    out_.text("\nFrame Time: 0.033333\n");
    return true;
  }

  bool add(const FrameStore& frames, int from, int to, std::string* error) override {
    for (int frame = from; frame < to && !out_.failed(); ++frame) {
      writeFrameLine(frames[frame], channels_, out_);
    }
    return !failed(error);
  }

  bool finish(std::string* error) override {
    out_.flush();
    return !failed(error);
  }

 private:
  bool failed(std::string* error) const {
    if (out_.failed()) *error = std::strerror(out_.error());
    return out_.failed();
  }

  Output& out_;
  ChannelText channels_;
};

}  // namespace

std::unique_ptr<AnimationWriter> bvhWriter(Output& out) { return std::make_unique<BvhWriter>(out); }

}  // namespace kinemora
