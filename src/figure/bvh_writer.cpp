// The BVH file: the fixed hierarchy, then one line of channels per frame.
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "figure/bvh_number.h"
#include "figure/bvh_output.h"
#include "figure/replacing_file.h"
#include "figure/skeleton.h"

namespace kinemora {

namespace {

constexpr int kOffsetDigits = 7;
constexpr int kChannelDigits = 3;

// Writes the whole file; false when the frame count is out of range or the
// stream failed (the reason in *error).
bool writeBvhText(const Skeleton& skeleton, BvhOutput& out, int frameCount,
                  std::string* error) {
  out.text("HIERARCHY\nROOT ");
  skeleton.root().writeHierarchy(out, 0);
  out.text("MOTION\nFrames: ");
  out.text(std::to_string(frameCount).c_str());
  out.text("\nFrame time: 0.033333\n");
  for (int frame = 0; frame < frameCount && !out.failed(); ++frame) {
    skeleton.root().writeMotion(out, frame);
    out.text("\n");
  }
  if (!out.flush()) {
    *error = std::strerror(out.error());
    return false;
  }
  return true;
}

bool frameCountInRange(const Skeleton& skeleton, int frameCount, std::string* error) {
  if (frameCount >= 0 && frameCount <= skeleton.frameCount()) return true;
  *error = "frame count " + std::to_string(frameCount) + " is outside the " +
           std::to_string(skeleton.frameCount()) + " stored frames";
  return false;
}

}  // namespace

void BvhOutput::reserve(std::size_t bytes) {
  if (kCapacity - used_ < bytes) flush();
}

void BvhOutput::text(const char* s) {
  const std::size_t n = std::strlen(s);
  if (n > kCapacity) {
    flush();
    if (!error_ && std::fwrite(s, 1, n, stream_) != n) error_ = errno ? errno : EIO;
    return;
  }
  reserve(n);
  std::memcpy(buffer_ + used_, s, n);
  used_ += n;
}

void BvhOutput::tabs(int count) {
  for (int i = 0; i < count; ++i) text("\t");
}

void BvhOutput::number(double value, int digits, bool space) {
  reserve(kBvhNumberMaxChars + 1);
  used_ += formatBvhNumber(value, digits, buffer_ + used_);
  if (space) buffer_[used_++] = ' ';
}

bool BvhOutput::flush() {
  if (!error_ && used_ > 0) {
    errno = 0;
    if (std::fwrite(buffer_, 1, used_, stream_) != used_) error_ = errno ? errno : EIO;
  }
  used_ = 0;
  if (!error_ && std::fflush(stream_) != 0) error_ = errno ? errno : EIO;
  return !error_;
}

void Joint::writeHierarchy(BvhOutput& out, int depth) const {
  out.tabs(depth);
  if (!isRoot()) out.text("JOINT ");
  out.text(name);
  out.text("\n");
  out.tabs(depth);
  out.text("{\n");
  out.tabs(depth + 1);
  out.text("OFFSET ");
  out.number(offset.x, kOffsetDigits, true);
  out.number(offset.y, kOffsetDigits, true);
  out.number(offset.z, kOffsetDigits, false);
  out.text("\n");
  out.tabs(depth + 1);
  out.text(isRoot() ? "CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
                    : "CHANNELS 3 Zrotation Xrotation Yrotation\n");
  if (children.empty()) {
    out.tabs(depth + 1);
    out.text("End Site\n");
    out.tabs(depth + 1);
    out.text("{\n");
    out.tabs(depth + 2);
    out.text("OFFSET 0.00 0.00 0.00\n");
    out.tabs(depth + 1);
    out.text("}\n");
  }
  for (const Joint* child : children) child->writeHierarchy(out, depth + 1);
  out.tabs(depth);
  out.text("}\n");
}

void Joint::writeMotion(BvhOutput& out, int frame) const {
  if (isRoot()) out.text("0. 0. 0. ");  // the figure never leaves its spot
  const Vec3& a = angles[frame];
  out.number(a.z, kChannelDigits, true);
  out.number(a.x, kChannelDigits, true);
  out.number(a.y, kChannelDigits, true);
  for (const Joint* child : children) child->writeMotion(out, frame);
}

SaveResult Skeleton::writeBvh(std::FILE* stream, int frameCount) const {
  SaveResult result;
  std::string reason;
  if (!frameCountInRange(*this, frameCount, &reason)) {
    result.ok = false;
    result.message = "cannot save: " + reason;
    return result;
  }
  auto out = std::make_unique<BvhOutput>(stream);
  if (!writeBvhText(*this, *out, frameCount, &reason)) {
    result.ok = false;
    result.message = "cannot write: " + reason;
  }
  return result;
}

SaveResult Skeleton::writeBvh(const char* path, int frameCount) const {
  SaveResult result;
  std::string reason;
  if (!frameCountInRange(*this, frameCount, &reason)) {
    result.ok = false;
    result.message = "cannot save '" + std::string(path) + "': " + reason;
    return result;
  }
  ReplacingFile file;
  if (!file.open(path, &reason)) {
    result.ok = false;
    result.message = reason;
    return result;
  }
  // The output lives on the heap: its buffer is too big for a GUI stack.
  auto out = std::make_unique<BvhOutput>(file.stream());
  if (!writeBvhText(*this, *out, frameCount, &reason)) {
    file.discard();
    result.ok = false;
    result.message = "cannot save '" + std::string(path) + "': " + reason;
    return result;
  }
  if (!file.commit(&reason)) {
    result.ok = false;
    result.message = reason;
  }
  return result;
}

}  // namespace kinemora
