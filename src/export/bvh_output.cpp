#include "export/bvh_output.h"

#include <cerrno>
#include <cstring>

#include "export/bvh_number.h"

namespace kinemora {

void BvhOutput::reserve(std::size_t bytes) {
  if (kCapacity - used_ < bytes) flush();
}

void BvhOutput::text(std::string_view s) {
  const std::size_t n = s.size();
  if (n > kCapacity) {
    flush();
    if (!error_ && std::fwrite(s.data(), 1, n, stream_) != n) error_ = errno ? errno : EIO;
    return;
  }
  reserve(n);
  std::memcpy(buffer_ + used_, s.data(), n);
  used_ += n;
}

void BvhOutput::tabs(int count) {
  for (int i = 0; i < count; ++i) text("\t");
}

void BvhOutput::number(double value, int digits, bool space) {
  reserve(kBvhNumberMaxChars + 1);
  used_ += formatBvhNumber(value, digits, buffer_ + used_);
  if (space) buffer_[used_++] = ' ';
}

bool BvhOutput::flush() {
  if (!error_ && used_ > 0) {
    errno = 0;
    if (std::fwrite(buffer_, 1, used_, stream_) != used_) error_ = errno ? errno : EIO;
  }
  used_ = 0;
  if (!error_ && std::fflush(stream_) != 0) error_ = errno ? errno : EIO;
  return !error_;
}

}  // namespace kinemora
