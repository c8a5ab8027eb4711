#pragma once

#include <chrono>
#include <cstdint>

namespace kinemora {

// kinemora-compose's progress on a terminal: one line on standard error,
// redrawn, the percent of frames composed. It shows only once a run has
// taken more than a second, so short runs print nothing but their summary.
class ProgressLine {
 public:
  // Shows nothing unless `enabled`.
  explicit ProgressLine(bool enabled);
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  ~ProgressLine() { erase(); }

  void show(std::uint64_t made, std::uint64_t total);
  // Takes the line away, so that what follows starts on a clean line.
  void erase();

 private:
  using Clock = std::chrono::steady_clock;

  bool enabled_;
  bool drawn_ = false;
  int percent_ = -1;
  Clock::time_point start_;
};

}  // namespace kinemora
