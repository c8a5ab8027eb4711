#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace kinemora {

// Buffered output for the glTF writer: memory stays at one fixed buffer
// however many frames are written. Bytes go out as they are (a .glb) or,
// between beginBase64 and endBase64, as base64 text (the data URI inside a
// .gltf). After the first failed write it writes nothing more and keeps the
// system's reason.
class GltfOutput {
 public:
  explicit GltfOutput(std::FILE* stream) : stream_(stream) {}
  GltfOutput(const GltfOutput&) = delete;
  GltfOutput& operator=(const GltfOutput&) = delete;

  void bytes(const void* data, std::size_t size);
  void text(std::string_view s) { bytes(s.data(), s.size()); }
  void zeros(std::size_t count);
  void beginBase64() { base64_ = true; }
  // Encodes what is left over (one or two bytes) with the '=' padding.
  void endBase64();
  // Hands the buffer to the stream; false once anything failed.
  bool flush();
  bool failed() const { return error_ != 0; }
  int error() const { return error_; }

 private:
  void put(const unsigned char* data, std::size_t size);
  void encode(const unsigned char* data, std::size_t size);
  void encodeGroup(const unsigned char* group, std::size_t size);
  std::size_t encodeGroups(const unsigned char* data, std::size_t size);
  void drain();

  static constexpr std::size_t kCapacity = 1 << 16;
  std::FILE* stream_;
  unsigned char buffer_[kCapacity];
  std::size_t used_ = 0;
  bool base64_ = false;
  unsigned char pending_[3] = {};  // base64: bytes waiting for a full group of three
  std::size_t pendingCount_ = 0;
  int error_ = 0;
};

}  // namespace kinemora
