#include "export/gltf_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include <optional>
#include <vector>

#include "export/base64.h"
#include "export/gltf_document.h"
#include "export/gltf_rotation.h"
#include "export/scratch_file.h"

namespace kinemora {

namespace {

// glTF's binary data is little-endian; floats are copied as they lie in
// memory.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "glTF buffers are little-endian");

constexpr std::uint32_t kGlbMagic = 0x46546C67;  // "glTF"
constexpr std::uint32_t kGlbVersion = 2;
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr std::uint32_t kBinChunk = 0x004E4942;   // "BIN"
constexpr std::uint64_t kGlbHeaderBytes = 12;
constexpr std::uint64_t kChunkHeaderBytes = 8;

std::uint64_t paddedToFour(std::uint64_t n) { return (n + 3) / 4 * 4; }

// Values go out in batches, not one call each.
constexpr int kBatchFrames = 256;

class GltfWriter : public AnimationWriter {
 public:
  GltfWriter(Output& out, GltfForm form) : out_(out), form_(form) {}

  bool begin(int frameCount, std::string* error) override {
    if (frameCount > kMaxGltfFrames) {
      *error = std::to_string(frameCount) + " frames are more than a glTF file can time apart (" +
               std::to_string(kMaxGltfFrames) + ")";
      return false;
    }
    frameCount_ = frameCount;
    doc_ = gltfDocument(frameCount, form_ == GltfForm::Text);
    if (form_ == GltfForm::Binary) {
      if (!beginGlb(error)) return false;
    } else {
      out_.text(std::string_view(doc_.json).substr(0, doc_.dataAt));
      base64_.emplace(out_);
    }
    bufferBytes(doc_.head.data(), doc_.head.size());
    writeTimes();
    return !failed(error);
  }

  bool add(const FrameStore& frames, int from, int to, std::string* error) override {
    if (from == 0 && to == frameCount_ && !scratch_) {
      for (int j = 0; j < kJointCount; ++j) writeRotations(frames, j, from, to);
    } else if (!placeInScratch(frames, from, to, error)) {
      return false;
    }
    added_ = to;
    return !failed(error);
  }

  bool finish(std::string* error) override {
    if (added_ != frameCount_) {
      *error = "the animation ended after " + std::to_string(added_) + " of " +
               std::to_string(frameCount_) + " frames";
      return false;
    }
    if (scratch_ && !copyScratch(error)) return false;
    if (form_ == GltfForm::Binary) {
      out_.zeros(paddedToFour(doc_.bufferLength) - doc_.bufferLength);
    } else {
      base64_->finish();
      out_.text(std::string_view(doc_.json).substr(doc_.dataAt));
    }
    out_.flush();
    return !failed(error);
  }

 private:
  bool beginGlb(std::string* error) {
    const std::uint64_t jsonBytes = paddedToFour(doc_.json.size());
    const std::uint64_t binBytes = paddedToFour(doc_.bufferLength);
    const std::uint64_t total = kGlbHeaderBytes + 2 * kChunkHeaderBytes + jsonBytes + binBytes;
    if (total > UINT32_MAX) {
      *error = std::to_string(frameCount_) + " frames make a .glb of " + std::to_string(total) +
               " bytes; the format ends at 4 GiB (a .gltf has no such limit)";
      return false;
    }
    word(kGlbMagic);
    word(kGlbVersion);
    word(static_cast<std::uint32_t>(total));
    word(static_cast<std::uint32_t>(jsonBytes));
    word(kJsonChunk);
    out_.text(doc_.json);
    out_.text(std::string_view("   ", jsonBytes - doc_.json.size()));  // JSON pads with spaces
    word(static_cast<std::uint32_t>(binBytes));
    word(kBinChunk);
    return true;
  }

  void word(std::uint32_t value) { out_.bytes(&value, sizeof value); }

  // The buffer's bytes: as they are in a .glb, base64 in a .gltf.
  void bufferBytes(const void* data, std::size_t size) {
    if (base64_) {
      base64_->bytes(data, size);
    } else {
      out_.bytes(data, size);
    }
  }

  void writeTimes() {
    float batch[kBatchFrames];
    for (int first = 0; first < frameCount_ && !out_.failed(); first += kBatchFrames) {
      const int n = std::min(kBatchFrames, frameCount_ - first);
      for (int i = 0; i < n; ++i) batch[i] = gltfFrameTime(first + i);
      bufferBytes(batch, n * sizeof(float));
    }
  }

  // Joint j's rotations of frames [from, to), each batch handed to `put`.
  template <class Put>
  static void forRotations(const FrameStore& frames, int j, int from, int to, Put put) {
    float batch[4 * kBatchFrames];
    for (int first = from; first < to; first += kBatchFrames) {
      const int n = std::min(kBatchFrames, to - first);
      for (int i = 0; i < n; ++i) {
        const std::array<float, 4> q = gltfRotation(frames[first + i].rotations[j]);
        std::copy(q.begin(), q.end(), batch + 4 * i);
      }
      if (!put(first, batch, 4 * n * sizeof(float))) return;
    }
  }

  void writeRotations(const FrameStore& frames, int j, int from, int to) {
    forRotations(frames, j, from, to, [&](int, const float* batch, std::size_t size) {
      bufferBytes(batch, size);
      return !out_.failed();
    });
  }

  // Each joint's rotations at their place in the buffer's rotation block.
  bool placeInScratch(const FrameStore& frames, int from, int to, std::string* error) {
    if (!scratch_) {
      scratch_ = std::make_unique<ScratchFile>();
      if (!scratch_->open(error)) return false;
    }
    bool ok = true;
    for (int j = 0; j < kJointCount && ok; ++j) {
      const std::uint64_t jointAt = kGltfRotationBytes * static_cast<std::uint64_t>(j) * frameCount_;
      forRotations(frames, j, from, to, [&](int first, const float* batch, std::size_t size) {
        return ok = scratch_->write(jointAt + kGltfRotationBytes * first, batch, size, error);
      });
    }
    return ok;
  }

  bool copyScratch(std::string* error) {
    const std::uint64_t total = kGltfRotationBytes * kJointCount * static_cast<std::uint64_t>(frameCount_);
    std::vector<char> chunk(1 << 16);
    for (std::uint64_t at = 0; at < total && !out_.failed();) {
      const long long n = scratch_->read(at, chunk.data(),
                                         static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), total - at)),
                                         error);
      if (n <= 0) {
        if (n == 0) *error = "the scratch file ended early";
        return false;
      }
      bufferBytes(chunk.data(), static_cast<std::size_t>(n));
      at += static_cast<std::uint64_t>(n);
    }
    return true;
  }

  bool failed(std::string* error) const {
    if (out_.failed()) *error = std::strerror(out_.error());
    return out_.failed();
  }

  Output& out_;
  const GltfForm form_;
  GltfDocument doc_;
  std::optional<Base64> base64_;  // .gltf: the buffer's stage
  std::unique_ptr<ScratchFile> scratch_;  // once frames come in blocks
  int frameCount_ = 0;
  int added_ = 0;
};

}  // namespace

std::unique_ptr<AnimationWriter> gltfWriter(Output& out, GltfForm form) {
  return std::make_unique<GltfWriter>(out, form);
}

}  // namespace kinemora
