#pragma once

#include <cstdio>
#include <string>

namespace kinemora {

// Writes a file so that it is replaced whole or not at all: the text goes to
// a temporary file in the target's directory, which is renamed over the
// target only once it was written, flushed and closed without error. An
// existing file stays byte for byte as it was until then, and for good if
// anything fails. A target that exists but is not a regular file (a device,
// a pipe) is written in place: there is nothing to keep there.
class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ~ReplacingFile();  // discards the temporary file unless committed

  // Opens the stream to write to; false with *error set on failure.
  bool open(const std::string& path, std::string* error);
  std::FILE* stream() const { return stream_; }
  // Flushes, syncs, closes and moves the text into place.
  bool commit(std::string* error);
  // Drops what was written; the target is untouched.
  void discard();

 private:
  std::FILE* stream_ = nullptr;
  std::string path_;       // as given, for messages
  std::string target_;     // where the text goes, links resolved
  std::string temporary_;  // empty when writing in place
};

}  // namespace kinemora
