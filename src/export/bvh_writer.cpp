#include "export/bvh_writer.h"

#include <cstring>
#include <memory>
#include <string>

#include "export/bvh_output.h"
#include "export/saving.h"
#include "export/channel_text.h"
#include "motion/joint_table.h"

namespace kinemora {

namespace {

constexpr int kOffsetDigits = 7;
constexpr int kChannelDigits = 3;

// A joint's depth in the tree: the root's is 0.
int depthOf(int joint) {
  int depth = 0;
  for (int j = kFigureJoints[joint].parent; j != kNoParent; j = kFigureJoints[j].parent) ++depth;
  return depth;
}

void closeBlocks(BvhOutput& out, int fromDepth, int toDepth) {
  for (int d = fromDepth; d >= toDepth; --d) {
    out.tabs(d);
    out.text("}\n");
  }
}

// The joints in pre-order, each block closed once the walk leaves it.
void writeHierarchy(BvhOutput& out) {
  int previousDepth = -1;
  for (const JointIndex joint : kPreOrder) {
    const int depth = depthOf(joint);
    closeBlocks(out, previousDepth, depth);
    out.tabs(depth);
    if (joint != kRoot) out.text("JOINT ");
    out.text(kFigureJoints[joint].name);
    out.text("\n");
    out.tabs(depth);
    out.text("{\n");
    // The root's place goes in its position channels, where every reader
    // takes it; some add the root's OFFSET to them and some drop it, so it
    // is zero.
    const Vec3 offset = joint == kRoot ? Vec3() : kFigureJoints[joint].offset;
    out.tabs(depth + 1);
    out.text("OFFSET ");
    out.number(offset.x, kOffsetDigits, true);
    out.number(offset.y, kOffsetDigits, true);
    out.number(offset.z, kOffsetDigits, false);
    out.text("\n");
    out.tabs(depth + 1);
    out.text(joint == kRoot
                 ? "CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
                 : "CHANNELS 3 Zrotation Xrotation Yrotation\n");
    if (isLeaf(joint)) {
      out.tabs(depth + 1);
      out.text("End Site\n");
      out.tabs(depth + 1);
      out.text("{\n");
      out.tabs(depth + 2);
      out.text("OFFSET 0.00 0.00 0.00\n");
      out.tabs(depth + 1);
      out.text("}\n");
    }
    previousDepth = depth;
  }
  closeBlocks(out, previousDepth, 0);
}

void writeFrameLine(const Pose& pose, ChannelText& channels, BvhOutput& out) {
  const Vec3& at = kFigureJoints[kRoot].offset;  // the figure never leaves its spot
  out.number(at.x, kChannelDigits, true);
  out.number(at.y, kChannelDigits, true);
  out.number(at.z, kChannelDigits, true);
  for (const JointIndex joint : kPreOrder) out.text(channels.of(pose.rotations[joint]));
  out.text("\n");
}

// Writes the whole file; false when the stream failed (the reason in
// *error).
bool writeBvhText(const FrameStore& frames, BvhOutput& out, int frameCount,
                  std::string* error) {
  out.text("HIERARCHY\nROOT ");
  writeHierarchy(out);
  out.text("MOTION\nFrames: ");
  out.text(std::to_string(frameCount).c_str());
  out.text("\nFrame Time: 0.033333\n");
  ChannelText channels;
  for (int frame = 0; frame < frameCount && !out.failed(); ++frame) {
    writeFrameLine(frames[frame], channels, out);
  }
  if (!out.flush()) {
    *error = std::strerror(out.error());
    return false;
  }
  return true;
}

// The whole file to a stream, its output buffer on the heap: too big for a
// GUI stack.
bool writeBvhFile(const FrameStore& frames, std::FILE* stream, int frameCount,
                  std::string* error) {
  auto out = std::make_unique<BvhOutput>(stream);
  return writeBvhText(frames, *out, frameCount, error);
}

}  // namespace

SaveResult writeBvh(const FrameStore& frames, std::FILE* stream, int frameCount) {
  return saveToStream(frames, stream, frameCount, [&](std::FILE* f, std::string* error) {
    return writeBvhFile(frames, f, frameCount, error);
  });
}

SaveResult writeBvh(const FrameStore& frames, const char* path, int frameCount) {
  return saveToPath(frames, path, frameCount, [&](std::FILE* f, std::string* error) {
    return writeBvhFile(frames, f, frameCount, error);
  });
}

}  // namespace kinemora
