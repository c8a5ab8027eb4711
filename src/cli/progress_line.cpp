#include "cli/progress_line.h"

#include <cstdio>

namespace kinemora {

namespace {

constexpr auto kQuietFor = std::chrono::seconds(1);

}  // namespace

ProgressLine::ProgressLine(bool enabled) : enabled_(enabled), start_(Clock::now()) {}

void ProgressLine::show(std::uint64_t made, std::uint64_t total) {
  if (!enabled_ || total == 0) return;
  const int percent = static_cast<int>(made * 100 / total);
  if (percent == percent_ || Clock::now() - start_ < kQuietFor) return;
  percent_ = percent;
  std::fprintf(stderr, "\rcomposing: %3d%% of %llu frames", percent,
               static_cast<unsigned long long>(total));
  std::fflush(stderr);
  drawn_ = true;
}

void ProgressLine::erase() {
  if (!drawn_) return;
  std::fputs("\r\x1b[K", stderr);  // back to the start, the line cleared
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace kinemora
