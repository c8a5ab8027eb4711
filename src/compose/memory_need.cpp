#include "compose/memory_need.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "compose/composer.h"
#include "compose/history.h"
#include "figure/skeleton.h"

namespace kinemora {

namespace {

// What an action in effect did to the count, for taking it back.
struct Performed {
  std::uint64_t framesAdded;
  std::optional<Motion> lastBefore;
};

// "1.2 GB", "350 MB": enough to compare, not to the byte.
std::string size(std::uint64_t bytes) {
  char text[32];
  const double mb = static_cast<double>(bytes) / 1e6;
  if (mb >= 1000.0) {
    std::snprintf(text, sizeof text, "%.1f GB", mb / 1000.0);
  } else {
    std::snprintf(text, sizeof text, "%.0f MB", std::max(mb, 1.0));
  }
  return text;
}

}  // namespace

std::uint64_t framesStoredBy(const std::vector<Action>& actions) {
  WordHistory history;
  std::vector<Performed> performed;  // one per action in effect
  std::optional<Motion> last;
  std::uint64_t stored = 0, most = 0;
  for (const Action& word : actions) {
    switch (history.apply(word)) {
      case WordHistory::Step::Done: {
        const Action& action = history.inEffect().back();
        const bool press = action.kind == Action::Kind::Press;
        const auto added = press ? static_cast<std::uint64_t>(framesOfPress(last, action.motion)) : 0;
        performed.push_back({added, last});
        if (press) last = action.motion;
        stored += added;
        most = std::max(most, stored);
        break;
      }
      case WordHistory::Step::Undone:
        stored -= performed.back().framesAdded;
        last = performed.back().lastBefore;
        performed.pop_back();
        break;
      case WordHistory::Step::Nothing: break;
    }
  }
  return most;
}

std::optional<std::uint64_t> availableMemory() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  std::uint64_t kib = 0;
  std::string unit;
  while (meminfo >> key >> kib >> unit) {
    if (key == "MemAvailable:") return kib * 1024;
  }
  return std::nullopt;
}

std::optional<std::string> memoryRefusal(const std::vector<Action>& actions,
                                         std::optional<std::uint64_t> available) {
  if (!available) return std::nullopt;
  const std::uint64_t frames = framesStoredBy(actions);
  const std::uint64_t limit = *available / kBytesPerStoredFrame;
  if (frames <= limit) return std::nullopt;
  return "this composition would store " + std::to_string(frames) + " frames, which need " +
         size(frames * kBytesPerStoredFrame) + " of memory; only " + size(*available) +
         " is available";
}

}  // namespace kinemora
