#include "export/output.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kinemora {

Output::Output(std::FILE* stream) : stream_(stream), buffer_(new char[kCapacity]) {}

void Output::drain() {
  if (!error_ && used_ > 0) {
    errno = 0;
    if (std::fwrite(buffer_.get(), 1, used_, stream_) != used_) error_ = errno ? errno : EIO;
  }
  used_ = 0;
}

void Output::bytes(const void* data, std::size_t size) {
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    if (used_ == kCapacity) drain();
    const std::size_t n = std::min(size, kCapacity - used_);
    std::memcpy(buffer_.get() + used_, p, n);
    used_ += n;
    p += n;
    size -= n;
  }
}

void Output::zeros(std::size_t count) {
  static constexpr char kZeros[64] = {};
  for (; count > 0; count -= std::min(count, sizeof kZeros)) {
    bytes(kZeros, std::min(count, sizeof kZeros));
  }
}

char* Output::room(std::size_t size) {
  if (kCapacity - used_ < size) drain();
  return buffer_.get() + used_;
}

bool Output::flush() {
  drain();
  if (!error_ && std::fflush(stream_) != 0) error_ = errno ? errno : EIO;
  return !error_;
}

bool Output::seekable() const {
  const int fd = ::fileno(stream_);
  struct stat info;
  return fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
         !(::fcntl(fd, F_GETFL) & O_APPEND);
}

bool Output::seek(std::int64_t offset) {
  if (!flush()) return false;
  if (::fseeko(stream_, static_cast<off_t>(offset), SEEK_SET) != 0) error_ = errno ? errno : EIO;
  return !error_;
}

}  // namespace kinemora
