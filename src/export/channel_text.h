#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "math/quaternion.h"

namespace kinemora {

// A joint's three BVH channels as the file writes them, "z x y " with three
// significant digits each, worked out from its stored rotation. A
// composition repeats the frames of its motions press after press, so most
// rotations were written before: the text of the last few thousand is kept
// (a fixed 2 MiB) instead of doing the trigonometry and the formatting
// again.
class ChannelText {
 public:
  ChannelText();
  // The text for q; valid until the next call.
  std::string_view of(const Quaternion& q);

 private:
  struct Entry {
    std::uint64_t key[2];     // q's bits: -0 and 0 write alike, but NaNs must not match
    std::uint8_t length = 0;  // 0: empty
    char text[47];
  };
  static constexpr std::size_t kEntries = 32768;

  std::vector<Entry> entries_;
  char scratch_[3 * 33];  // for a text too long to keep
};

}  // namespace kinemora
