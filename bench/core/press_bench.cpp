// The cost of a press: one motion with its transition, and every press of
// a 10,000-press session, first thousand against last, with the bytes the
// frames take per stored frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "allocation_counter.h"
#include "compose/composer.h"
#include "recording_reporter.h"
#include "sessions.h"

namespace kinemora::bench {
namespace {

constexpr int kSessionPresses = 10000;
constexpr int kWindow = 1000;  // presses averaged at each end of the session

// Alternates "rhumba" and "clap", so every press appends a 13-frame
// transition and 97 motion frames. State.range(0) turns noise on.
void BM_OnePress(benchmark::State& state) {
  Composer composer;
  if (state.range(0) != 0) composer.toggleNoise();
  int presses = 0;
  for (auto _ : state) {
    composer.press(presses % 2 == 0 ? Motion::Rhumba : Motion::Clap);
    if (++presses % 1000 == 0) {  // keep memory flat; not part of a press
      state.PauseTiming();
      composer.clear();
      state.ResumeTiming();
    }
  }
  state.counters["frames_per_press"] = kTransitionFrames + motionEntry(Motion::Rhumba).frames;
}

// What one session's presses cost.
struct Session {
  std::vector<double> seconds;  // per press
  std::vector<int> frames;      // appended by each press
  double bytesHeld = 0;         // heap the composition holds at the end
  double bytesUsed = 0;         // of which frame data
  double storedFrames = 0;
};

// CPU time over presses [from, to): per press (mean and median), and per
// appended frame, which does not depend on how many punches the stretch
// happens to hold.
struct Window {
  double mean = 0;      // microseconds per press
  double median = 0;    // microseconds per press
  double perFrame = 0;  // microseconds per appended frame
};

Window window(const Session& session, int from, int to) {
  std::vector<double> seconds(session.seconds.begin() + from, session.seconds.begin() + to);
  const double total = std::accumulate(seconds.begin(), seconds.end(), 0.0);
  const int frames =
      std::accumulate(session.frames.begin() + from, session.frames.begin() + to, 0);
  Window w;
  w.mean = total / seconds.size() * 1e6;
  w.perFrame = total / frames * 1e6;
  std::nth_element(seconds.begin(), seconds.begin() + seconds.size() / 2, seconds.end());
  w.median = seconds[seconds.size() / 2] * 1e6;
  return w;
}

// Random motions as a user might press them (repeats and punch pairs
// included), "add noise" flipped every other press so that both ends of
// the session hold the same share of noisy presses, never cleared.
Session pressSession() {
  Session session;
  session.seconds.reserve(kSessionPresses);
  session.frames.reserve(kSessionPresses);
  const AllocationWatch watch;  // sees the composition's storage and nothing else
  Composer composer;
  std::mt19937 random(2026);
  for (int i = 0; i < kSessionPresses; ++i) {
    if (i % 2 == 0) composer.toggleNoise();
    const Motion motion = static_cast<Motion>(random() % kMotionCount);
    const int frames = composer.frameCount();
    const double start = threadSeconds();
    composer.press(motion);
    session.seconds.push_back(threadSeconds() - start);
    session.frames.push_back(composer.frameCount() - frames);
  }
  session.bytesHeld = static_cast<double>(watch.taken().peakLive);
  session.bytesUsed = frameBytesUsed(composer.frames());
  session.storedFrames = composer.frameCount();
  return session;
}

void BM_SessionOf10000Presses(benchmark::State& state) {
  for (auto _ : state) {
    const Session session = pressSession();
    const std::vector<double>& s = session.seconds;
    const Window first = window(session, 0, kWindow);
    const Window last = window(session, kSessionPresses - kWindow, kSessionPresses);
    const auto slowest = std::max_element(s.begin(), s.end());
    auto& counters = state.counters;
    counters["mean_us"] = window(session, 0, kSessionPresses).mean;
    counters["first1000_mean_us"] = first.mean;
    counters["first1000_median_us"] = first.median;
    counters["first1000_us_per_frame"] = first.perFrame;
    counters["last1000_mean_us"] = last.mean;
    counters["last1000_median_us"] = last.median;
    counters["last1000_us_per_frame"] = last.perFrame;
    counters["slowest_ms"] = *slowest * 1e3;
    counters["slowest_press"] = static_cast<double>(slowest - s.begin() + 1);
    counters["stored_frames"] = session.storedFrames;
    counters["bytes_per_frame"] = session.bytesHeld / session.storedFrames;
    counters["used_bytes_per_frame"] = session.bytesUsed / session.storedFrames;
  }
}

BENCHMARK(BM_OnePress)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SessionOf10000Presses)->Iterations(1)->Unit(benchmark::kSecond);

void printSummary(const RecordingReporter& results) {
  std::printf("\nPresses:\n");
  if (results.has("BM_OnePress/0")) {
    std::printf("  one press (13 + 97 frames)       %8.1f us real, %.1f us CPU (target < 1 ms)\n",
                results.seconds("BM_OnePress/0") * 1e6,
                results.cpuSeconds("BM_OnePress/0") * 1e6);
  }
  if (results.has("BM_OnePress/1")) {
    std::printf("  the same with noise on           %8.1f us real, %.1f us CPU\n",
                results.seconds("BM_OnePress/1") * 1e6,
                results.cpuSeconds("BM_OnePress/1") * 1e6);
  }
  const char* session = "BM_SessionOf10000Presses";
  if (results.has(session)) {
    std::printf("  10,000 presses (CPU time each)   %8.1f us mean over the session\n",
                results.counter(session, "mean_us"));
    std::printf("  10,000 presses, first 1,000      %8.1f us mean, %.1f us median, %.2f us/frame\n",
                results.counter(session, "first1000_mean_us"),
                results.counter(session, "first1000_median_us"),
                results.counter(session, "first1000_us_per_frame"));
    std::printf("  10,000 presses, last 1,000       %8.1f us mean, %.1f us median, %.2f us/frame\n",
                results.counter(session, "last1000_mean_us"),
                results.counter(session, "last1000_median_us"),
                results.counter(session, "last1000_us_per_frame"));
    std::printf("  slowest press                    %8.1f ms (press %.0f)\n",
                results.counter(session, "slowest_ms"), results.counter(session, "slowest_press"));
    std::printf("  stored frames                    %8.0f\n",
                results.counter(session, "stored_frames"));
    std::printf("  bytes per stored frame           %8.0f held on the heap, %.0f of them frame data\n",
                results.counter(session, "bytes_per_frame"),
                results.counter(session, "used_bytes_per_frame"));
  }
}

}  // namespace
}  // namespace kinemora::bench

int main(int argc, char** argv) {
  return kinemora::bench::runBenchmarks(argc, argv, kinemora::bench::printSummary);
}
