#include "export/gltf_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "export/gltf_document.h"
#include "export/gltf_output.h"
#include "export/gltf_rotation.h"
#include "export/saving.h"

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

void word(GltfOutput& out, std::uint32_t value) { out.bytes(&value, sizeof value); }

// Values go to the output in batches, not one call each.
constexpr int kBatchFrames = 256;

void writeTimes(int frameCount, GltfOutput& out) {
  float batch[kBatchFrames];
  for (int first = 0; first < frameCount && !out.failed(); first += kBatchFrames) {
    const int n = std::min(kBatchFrames, frameCount - first);
    for (int i = 0; i < n; ++i) batch[i] = gltfFrameTime(first + i);
    out.bytes(batch, n * sizeof(float));
  }
}

void writeRotations(const FrameStore& frames, int joint, int frameCount, GltfOutput& out) {
  float batch[4 * kBatchFrames];
  for (int first = 0; first < frameCount && !out.failed(); first += kBatchFrames) {
    const int n = std::min(kBatchFrames, frameCount - first);
    for (int i = 0; i < n; ++i) {
      const std::array<float, 4> q = gltfRotation(frames[first + i].rotations[joint]);
      std::copy(q.begin(), q.end(), batch + 4 * i);
    }
    out.bytes(batch, 4 * n * sizeof(float));
  }
}

// The buffer after its head: every frame's time, then each joint's
// rotations frame by frame (gltf_document.h).
void writeFrames(const FrameStore& frames, int frameCount, GltfOutput& out) {
  writeTimes(frameCount, out);
  for (int j = 0; j < kJointCount; ++j) writeRotations(frames, j, frameCount, out);
}

bool writeGlb(const FrameStore& frames, int frameCount, GltfOutput& out, std::string* error) {
  const GltfDocument doc = gltfDocument(frameCount, false);
  const std::uint64_t jsonBytes = paddedToFour(doc.json.size());
  const std::uint64_t binBytes = paddedToFour(doc.bufferLength);
  const std::uint64_t total = kGlbHeaderBytes + 2 * kChunkHeaderBytes + jsonBytes + binBytes;
  if (total > UINT32_MAX) {
    *error = std::to_string(frameCount) + " frames make a .glb of " + std::to_string(total) +
             " bytes; the format ends at 4 GiB (a .gltf has no such limit)";
    return false;
  }
  word(out, kGlbMagic);
  word(out, kGlbVersion);
  word(out, static_cast<std::uint32_t>(total));
  word(out, static_cast<std::uint32_t>(jsonBytes));
  word(out, kJsonChunk);
  out.text(doc.json);
  out.text(std::string_view("   ", jsonBytes - doc.json.size()));  // JSON pads with spaces
  word(out, static_cast<std::uint32_t>(binBytes));
  word(out, kBinChunk);
  out.bytes(doc.head.data(), doc.head.size());
  writeFrames(frames, frameCount, out);
  out.zeros(binBytes - doc.bufferLength);
  return true;
}

void writeEmbedded(const FrameStore& frames, int frameCount, GltfOutput& out) {
  const GltfDocument doc = gltfDocument(frameCount, true);
  const std::string_view json = doc.json;
  out.text(json.substr(0, doc.dataAt));
  out.beginBase64();
  out.bytes(doc.head.data(), doc.head.size());
  writeFrames(frames, frameCount, out);
  out.endBase64();
  out.text(json.substr(doc.dataAt));
}

// The whole file to a stream, its output buffer on the heap: too big for a
// GUI stack.
bool writeGltfFile(const FrameStore& frames, std::FILE* stream, int frameCount, GltfForm form,
                   std::string* error) {
  if (frameCount > kMaxGltfFrames) {
    *error = std::to_string(frameCount) + " frames are more than a glTF file can time apart (" +
             std::to_string(kMaxGltfFrames) + ")";
    return false;
  }
  auto out = std::make_unique<GltfOutput>(stream);
  if (form == GltfForm::Binary) {
    if (!writeGlb(frames, frameCount, *out, error)) return false;
  } else {
    writeEmbedded(frames, frameCount, *out);
  }
  if (!out->flush()) {
    *error = std::strerror(out->error());
    return false;
  }
  return true;
}

}  // namespace

SaveResult writeGltf(const FrameStore& frames, std::FILE* stream, int frameCount, GltfForm form) {
  return saveToStream(frames, stream, frameCount, [&](std::FILE* f, std::string* error) {
    return writeGltfFile(frames, f, frameCount, form, error);
  });
}

SaveResult writeGltf(const FrameStore& frames, const char* path, int frameCount, GltfForm form) {
  return saveToPath(frames, path, frameCount, [&](std::FILE* f, std::string* error) {
    return writeGltfFile(frames, f, frameCount, form, error);
  });
}

}  // namespace kinemora
