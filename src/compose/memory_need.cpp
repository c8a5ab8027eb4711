#include "compose/memory_need.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "compose/composer.h"
#include "figure/skeleton.h"

namespace kinemora {

namespace {

// What one performed action did to the count, for taking it back.
struct Performed {
  Action action;
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
  // The history's rules, on counts: an undo takes back the last action in
  // effect, a redo does again the last one taken back, a new action drops
  // what could be redone.
  std::vector<Performed> done;
  std::vector<Action> undone;
  std::optional<Motion> last;
  std::uint64_t stored = 0, most = 0;
  const auto perform = [&](const Action& action) {
    std::uint64_t added = 0;
    if (action.kind == Action::Kind::Press) {
      added = static_cast<std::uint64_t>(framesOfPress(last, action.motion));
    }
    done.push_back({action, added, last});
    if (action.kind == Action::Kind::Press) last = action.motion;
    stored += added;
    most = std::max(most, stored);
  };
  for (const Action& action : actions) {
    if (action.kind == Action::Kind::Undo) {
      if (done.empty()) continue;
      stored -= done.back().framesAdded;
      last = done.back().lastBefore;
      undone.push_back(done.back().action);
      done.pop_back();
    } else if (action.kind == Action::Kind::Redo) {
      if (undone.empty()) continue;
      perform(undone.back());
      undone.pop_back();
    } else {
      perform(action);
      undone.clear();
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
