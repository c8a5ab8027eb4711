#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <string>

namespace kinemora {

// Writes a file so that it is replaced whole or not at all: the text goes to
// a temporary file in the target's directory, which is renamed over the
// target only once it was written, flushed and closed without error. An
// existing file stays byte for byte as it was until then, and for good if
// anything fails. A target that exists but is not a regular file (a device,
// a pipe, a socket, standard output) is written in place: there is nothing
// to keep there.
//
// One save at a time: the temporary file is recorded for the signal handler
// of removeTemporaryFileOnSignals.
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
  bool openInPlace(std::string* error);
  bool openTemporary(mode_t mode, const struct stat* existing, std::string* error);

  std::FILE* stream_ = nullptr;
  std::string path_;    // as given, for messages
  std::string target_;  // where the text goes, links resolved
  // While a temporary file exists: its directory (the target's), open, and
  // its name there. Names relative to an open directory keep a target near
  // the system's path length limit writable.
  int directory_ = -1;
  std::string temporary_;
};

// The path a chain of symbolic links ends at, whether or not that exists:
// where a save to *path lands. False with ELOOP when the chain is longer
// than the system follows.
bool followLinks(std::string* path);

// Makes the signals that would end the program (SIGINT, SIGTERM, SIGHUP,
// SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGPIPE, SIGPOLL,
// SIGPWR, SIGXCPU and the real-time signals) remove the temporary file of a
// save in progress before the process dies of them, and makes a write past
// the file-size limit fail with EFBIG instead of killing the process.
// Signals that were ignored when the program started stay ignored.
void removeTemporaryFileOnSignals();

}  // namespace kinemora
