#include "export/scratch_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace kinemora {

namespace {

std::string scratchDirectory() {
  const char* tmpdir = std::getenv("TMPDIR");
  return tmpdir && *tmpdir ? tmpdir : "/var/tmp";
}

std::string failure(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

}  // namespace

ScratchFile::~ScratchFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool ScratchFile::open(std::string* error) {
  const std::string directory = scratchDirectory();
  fd_ = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
    // A file system without unnamed files: a named one, unlinked at once.
    std::string name = directory + "/.kinemora-scratch-XXXXXX";
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ >= 0) ::unlink(name.c_str());
  }
  if (fd_ < 0) {
    *error = failure("cannot make a scratch file in '" + directory + "'", errno);
    return false;
  }
  return true;
}

bool ScratchFile::write(std::uint64_t offset, const void* data, std::size_t size,
                        std::string* error) {
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::pwrite(fd_, p, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      *error = failure("cannot write the scratch file", n < 0 ? errno : EIO);
      return false;
    }
    p += n;
    size -= static_cast<std::size_t>(n);
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

long long ScratchFile::read(std::uint64_t offset, void* data, std::size_t size,
                            std::string* error) {
  ssize_t n;
  do {
    n = ::pread(fd_, data, size, static_cast<off_t>(offset));
  } while (n < 0 && errno == EINTR);
  if (n < 0) *error = failure("cannot read the scratch file", errno);
  return n;
}

}  // namespace kinemora
