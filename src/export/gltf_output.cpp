#include "export/gltf_output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kinemora {

namespace {

constexpr char kBase64Digits[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The two digits of every 12-bit value: one lookup per half of a group, the
// buffer's bulk is encoded about twice as fast as digit by digit.
struct DigitPairs {
  char pair[4096][2];
  constexpr DigitPairs() : pair() {
    for (int i = 0; i < 4096; ++i) {
      pair[i][0] = kBase64Digits[i >> 6];
      pair[i][1] = kBase64Digits[i & 63];
    }
  }
};
constexpr DigitPairs kDigitPairs;

}  // namespace

void GltfOutput::drain() {
  if (!error_ && used_ > 0) {
    errno = 0;
    if (std::fwrite(buffer_, 1, used_, stream_) != used_) error_ = errno ? errno : EIO;
  }
  used_ = 0;
}

void GltfOutput::put(const unsigned char* data, std::size_t size) {
  while (size > 0) {
    if (used_ == kCapacity) drain();
    const std::size_t n = std::min(size, kCapacity - used_);
    std::memcpy(buffer_ + used_, data, n);
    used_ += n;
    data += n;
    size -= n;
  }
}

// One group of one to three bytes as four base64 digits, '=' for the
// missing ones.
void GltfOutput::encodeGroup(const unsigned char* group, std::size_t size) {
  if (kCapacity - used_ < 4) drain();
  const unsigned bits = group[0] << 16 | (size > 1 ? group[1] << 8 : 0) | (size > 2 ? group[2] : 0);
  unsigned char* out = buffer_ + used_;
  out[0] = kBase64Digits[bits >> 18 & 63];
  out[1] = kBase64Digits[bits >> 12 & 63];
  out[2] = size > 1 ? kBase64Digits[bits >> 6 & 63] : '=';
  out[3] = size > 2 ? kBase64Digits[bits & 63] : '=';
  used_ += 4;
}

// Whole groups of three, as many at a time as the buffer has room for.
std::size_t GltfOutput::encodeGroups(const unsigned char* data, std::size_t size) {
  std::size_t groups = std::min(size / 3, (kCapacity - used_) / 4);
  if (groups == 0 && size >= 3) {
    drain();
    groups = std::min(size / 3, kCapacity / 4);
  }
  unsigned char* out = buffer_ + used_;
  for (std::size_t g = 0; g < groups; ++g, data += 3, out += 4) {
    const unsigned bits = data[0] << 16 | data[1] << 8 | data[2];
    std::memcpy(out, kDigitPairs.pair[bits >> 12], 2);
    std::memcpy(out + 2, kDigitPairs.pair[bits & 4095], 2);
  }
  used_ += 4 * groups;
  return 3 * groups;
}

void GltfOutput::encode(const unsigned char* data, std::size_t size) {
  while (pendingCount_ > 0 && pendingCount_ < 3 && size > 0) {
    pending_[pendingCount_++] = *data++;
    --size;
  }
  if (pendingCount_ == 3) {
    encodeGroup(pending_, 3);
    pendingCount_ = 0;
  }
  while (size >= 3) {
    const std::size_t done = encodeGroups(data, size);
    data += done;
    size -= done;
  }
  for (; size > 0; --size) pending_[pendingCount_++] = *data++;
}

void GltfOutput::bytes(const void* data, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  if (base64_) {
    encode(p, size);
  } else {
    put(p, size);
  }
}

void GltfOutput::zeros(std::size_t count) {
  static const unsigned char kZeros[16] = {};
  for (; count > 0; count -= std::min(count, sizeof kZeros)) {
    bytes(kZeros, std::min(count, sizeof kZeros));
  }
}

void GltfOutput::endBase64() {
  if (pendingCount_ > 0) encodeGroup(pending_, pendingCount_);
  pendingCount_ = 0;
  base64_ = false;
}

bool GltfOutput::flush() {
  drain();
  if (!error_ && std::fflush(stream_) != 0) error_ = errno ? errno : EIO;
  return !error_;
}

}  // namespace kinemora
