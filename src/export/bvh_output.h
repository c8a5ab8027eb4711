#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace kinemora {

// Buffered text output for the BVH writer: memory stays at one fixed buffer
// however many frames are written. After the first failed write it writes
// nothing more and keeps the system's reason.
class BvhOutput {
 public:
  explicit BvhOutput(std::FILE* stream) : stream_(stream) {}
  BvhOutput(const BvhOutput&) = delete;
  BvhOutput& operator=(const BvhOutput&) = delete;

  void text(const char* s) { text(std::string_view(s)); }
  void text(std::string_view s);
  void tabs(int count);
  // One number with `digits` significant digits, then a space when asked.
  void number(double value, int digits, bool space);
  // Hands the buffer to the stream; false once anything failed.
  bool flush();
  bool failed() const { return error_ != 0; }
  int error() const { return error_; }

 private:
  void reserve(std::size_t bytes);

  static constexpr std::size_t kCapacity = 1 << 16;
  std::FILE* stream_;
  char buffer_[kCapacity];
  std::size_t used_ = 0;
  int error_ = 0;
};

}  // namespace kinemora
