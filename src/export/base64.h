#pragma once

#include <cstddef>

#include "export/output.h"

namespace kinemora {

// A stage in front of an Output: the bytes given to it go out as base64
// text, as the data URI of a .gltf holds its buffer.
class Base64 {
 public:
  explicit Base64(Output& out) : out_(out) {}

  void bytes(const void* data, std::size_t size);
  // Encodes what is left over (one or two bytes) with the '=' padding.
  void finish();

 private:
  void group(const unsigned char* bytes, std::size_t size);
  std::size_t groups(const unsigned char* data, std::size_t size);

  Output& out_;
  unsigned char pending_[3] = {};  // bytes waiting for a full group of three
  std::size_t pendingCount_ = 0;
};

}  // namespace kinemora
