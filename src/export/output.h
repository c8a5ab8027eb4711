#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

namespace kinemora {

// Where a writer's bytes go: one buffer in front of an open stream, so that
// memory stays the same however much is written. Every file format writes
// through one. After the first failed write it writes nothing more and
// keeps the system's reason.
class Output {
 public:
  explicit Output(std::FILE* stream);
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  void bytes(const void* data, std::size_t size);
  void text(std::string_view s) { bytes(s.data(), s.size()); }
  void zeros(std::size_t count);
  // Room for up to `size` bytes (size <= kRoom) to be written in place; then
  // wrote(n) says how many were.
  char* room(std::size_t size);
  void wrote(std::size_t n) { used_ += n; }
  // Hands the buffer to the stream; false once anything failed.
  bool flush();
  // Whether the stream can go back to rewrite what it holds: a regular
  // file not opened for appending (not a pipe, not a terminal).
  bool seekable() const;
  // Moves to `offset` bytes from the start, the buffer handed on first;
  // false once anything failed.
  bool seek(std::int64_t offset);
  bool failed() const { return error_ != 0; }
  int error() const { return error_; }

  static constexpr std::size_t kRoom = 1 << 12;

 private:
  void drain();

  static constexpr std::size_t kCapacity = 1 << 16;
  std::FILE* stream_;
  std::unique_ptr<char[]> buffer_;  // on the heap: too big for a GUI stack
  std::size_t used_ = 0;
  int error_ = 0;
};

}  // namespace kinemora
