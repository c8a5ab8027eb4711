#include "export/base64.h"

#include <algorithm>
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

// One group of one to three bytes as four digits, '=' for the missing ones.
void Base64::group(const unsigned char* bytes, std::size_t size) {
  const unsigned bits = bytes[0] << 16 | (size > 1 ? bytes[1] << 8 : 0) | (size > 2 ? bytes[2] : 0);
  char* out = out_.room(4);
  out[0] = kBase64Digits[bits >> 18 & 63];
  out[1] = kBase64Digits[bits >> 12 & 63];
  out[2] = size > 1 ? kBase64Digits[bits >> 6 & 63] : '=';
  out[3] = size > 2 ? kBase64Digits[bits & 63] : '=';
  out_.wrote(4);
}

// Whole groups of three, as many at a time as the output has room for.
std::size_t Base64::groups(const unsigned char* data, std::size_t size) {
  const std::size_t count = std::min(size / 3, Output::kRoom / 4);
  char* out = out_.room(4 * count);
  for (std::size_t g = 0; g < count; ++g, data += 3, out += 4) {
    const unsigned bits = data[0] << 16 | data[1] << 8 | data[2];
    std::memcpy(out, kDigitPairs.pair[bits >> 12], 2);
    std::memcpy(out + 2, kDigitPairs.pair[bits & 4095], 2);
  }
  out_.wrote(4 * count);
  return 3 * count;
}

void Base64::bytes(const void* bytes, std::size_t size) {
  const auto* data = static_cast<const unsigned char*>(bytes);
  while (pendingCount_ > 0 && pendingCount_ < 3 && size > 0) {
    pending_[pendingCount_++] = *data++;
    --size;
  }
  if (pendingCount_ == 3) {
    group(pending_, 3);
    pendingCount_ = 0;
  }
  while (size >= 3) {
    const std::size_t done = groups(data, size);
    data += done;
    size -= done;
  }
  for (; size > 0; --size) pending_[pendingCount_++] = *data++;
}

void Base64::finish() {
  if (pendingCount_ > 0) group(pending_, pendingCount_);
  pendingCount_ = 0;
}

}  // namespace kinemora
