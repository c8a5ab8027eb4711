#pragma once

#include <cstdint>
#include <string>

namespace kinemora {

// A file without a name, for data a writer places out of order before it
// writes it out in order: on disk rather than in memory, and gone when it
// is closed or the program dies. It lies in $TMPDIR, or /var/tmp.
class ScratchFile {
 public:
  ScratchFile() = default;
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile();

  // False with *error set when no scratch file can be made.
  bool open(std::string* error);
  // `size` bytes at `offset`; false with *error on failure.
  bool write(std::uint64_t offset, const void* data, std::size_t size, std::string* error);
  // Up to `size` bytes from `offset`; the count read, or -1 with *error.
  long long read(std::uint64_t offset, void* data, std::size_t size, std::string* error);

 private:
  int fd_ = -1;
};

}  // namespace kinemora
