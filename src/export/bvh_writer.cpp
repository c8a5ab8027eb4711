#include "export/bvh_writer.h"

#include <cstring>
#include <memory>
#include <string>

#include "export/bvh_output.h"
#include "export/saving.h"

namespace kinemora {

namespace {

constexpr int kOffsetDigits = 7;
constexpr int kChannelDigits = 3;

void writeHierarchy(const Joint& joint, BvhOutput& out, int depth) {
  out.tabs(depth);
  if (!joint.isRoot()) out.text("JOINT ");
  out.text(joint.name);
  out.text("\n");
  out.tabs(depth);
  out.text("{\n");
  // The root's place goes in its position channels, where every reader
  // takes it; some add the root's OFFSET to them and some drop it, so it
  // is zero.
  const Vec3 offset = joint.isRoot() ? Vec3() : joint.offset;
  out.tabs(depth + 1);
  out.text("OFFSET ");
  out.number(offset.x, kOffsetDigits, true);
  out.number(offset.y, kOffsetDigits, true);
  out.number(offset.z, kOffsetDigits, false);
  out.text("\n");
  out.tabs(depth + 1);
  out.text(joint.isRoot()
               ? "CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
               : "CHANNELS 3 Zrotation Xrotation Yrotation\n");
  if (joint.children.empty()) {
    out.tabs(depth + 1);
    out.text("End Site\n");
    out.tabs(depth + 1);
    out.text("{\n");
    out.tabs(depth + 2);
    out.text("OFFSET 0.00 0.00 0.00\n");
    out.tabs(depth + 1);
    out.text("}\n");
  }
  for (const Joint* child : joint.children) writeHierarchy(*child, out, depth + 1);
  out.tabs(depth);
  out.text("}\n");
}

void writeMotion(const Joint& joint, BvhOutput& out, int frame) {
  if (joint.isRoot()) {  // the figure never leaves its spot
    out.number(joint.offset.x, kChannelDigits, true);
    out.number(joint.offset.y, kChannelDigits, true);
    out.number(joint.offset.z, kChannelDigits, true);
  }
  const Vec3& a = joint.angles[frame];
  out.number(a.z, kChannelDigits, true);
  out.number(a.x, kChannelDigits, true);
  out.number(a.y, kChannelDigits, true);
  for (const Joint* child : joint.children) writeMotion(*child, out, frame);
}

// Writes the whole file; false when the stream failed (the reason in
// *error).
bool writeBvhText(const Skeleton& skeleton, BvhOutput& out, int frameCount,
                  std::string* error) {
  out.text("HIERARCHY\nROOT ");
  writeHierarchy(skeleton.root(), out, 0);
  out.text("MOTION\nFrames: ");
  out.text(std::to_string(frameCount).c_str());
  out.text("\nFrame Time: 0.033333\n");
  for (int frame = 0; frame < frameCount && !out.failed(); ++frame) {
    writeMotion(skeleton.root(), out, frame);
    out.text("\n");
  }
  if (!out.flush()) {
    *error = std::strerror(out.error());
    return false;
  }
  return true;
}

// The whole file to a stream, its output buffer on the heap: too big for a
// GUI stack.
bool writeBvhFile(const Skeleton& skeleton, std::FILE* stream, int frameCount,
                  std::string* error) {
  auto out = std::make_unique<BvhOutput>(stream);
  return writeBvhText(skeleton, *out, frameCount, error);
}

}  // namespace

SaveResult writeBvh(const Skeleton& skeleton, std::FILE* stream, int frameCount) {
  return saveToStream(skeleton, stream, frameCount, [&](std::FILE* f, std::string* error) {
    return writeBvhFile(skeleton, f, frameCount, error);
  });
}

SaveResult writeBvh(const Skeleton& skeleton, const char* path, int frameCount) {
  return saveToPath(skeleton, path, frameCount, [&](std::FILE* f, std::string* error) {
    return writeBvhFile(skeleton, f, frameCount, error);
  });
}

}  // namespace kinemora
