// The cost of undo and redo: one press taken back and done again, and every
// action of a 10,000-press session undone, then redone, first thousand
// against last. Both should cost what the one action costs, wherever it
// stands in the session.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

#include "compose/history.h"
#include "recording_reporter.h"
#include "sessions.h"

namespace kinemora::bench {
namespace {

constexpr int kSessionPresses = 10000;
constexpr int kWindow = 1000;  // actions averaged at each end

// A 110-frame press (a transition and a motion), undone and redone, on top
// of a few hundred presses.
void BM_UndoRedoOnePress(benchmark::State& state) {
  Composer composer;
  History history(composer);
  for (int i = 0; i < 300; ++i) history.perform({Action::Kind::Press, static_cast<Motion>(i % 2)});
  for (auto _ : state) {
    history.undo();
    history.redo();
  }
}

// CPU seconds and frames of each step of a run through the session.
struct Steps {
  std::vector<double> seconds;
  std::vector<int> frames;

  void add(double s, int f) {
    seconds.push_back(s);
    frames.push_back(f);
  }
  // Microseconds per step and per frame over steps [from, to).
  std::pair<double, double> mean(int from, int to) const {
    double total = 0;
    long frameTotal = 0;
    for (int i = from; i < to; ++i) {
      total += seconds[i];
      frameTotal += frames[i];
    }
    return {total / (to - from) * 1e6, total / static_cast<double>(frameTotal) * 1e6};
  }
};

// Random presses as in the press benchmark, "add noise" flipped every other
// press; then every action undone, newest first, then redone, oldest first.
void BM_UndoAndRedoASession(benchmark::State& state) {
  for (auto _ : state) {
    Composer composer;
    History history(composer);
    std::mt19937 random(2026);
    for (int i = 0; i < kSessionPresses; ++i) {
      if (i % 2 == 0) history.perform({Action::Kind::Noise});
      history.perform({Action::Kind::Press, static_cast<Motion>(random() % kMotionCount)});
    }
    Steps undos, redos;
    while (history.canUndo()) {
      const int frames = composer.frameCount();
      const double start = threadSeconds();
      history.undo();
      undos.add(threadSeconds() - start, frames - composer.frameCount());
    }
    while (history.canRedo()) {
      const int frames = composer.frameCount();
      const double start = threadSeconds();
      history.redo();
      redos.add(threadSeconds() - start, composer.frameCount() - frames);
    }
    // Undone newest first: the last undos reach the session's start.
    const int n = static_cast<int>(undos.seconds.size());
    const auto [undoLate, undoLatePerFrame] = undos.mean(0, kWindow);
    const auto [undoEarly, undoEarlyPerFrame] = undos.mean(n - kWindow, n);
    const auto [redoEarly, redoEarlyPerFrame] = redos.mean(0, kWindow);
    const auto [redoLate, redoLatePerFrame] = redos.mean(n - kWindow, n);
    auto& c = state.counters;
    c["actions"] = n;
    c["undo_first1000_us"] = undoEarly;
    c["undo_first1000_us_per_frame"] = undoEarlyPerFrame;
    c["undo_last1000_us"] = undoLate;
    c["undo_last1000_us_per_frame"] = undoLatePerFrame;
    c["redo_first1000_us"] = redoEarly;
    c["redo_first1000_us_per_frame"] = redoEarlyPerFrame;
    c["redo_last1000_us"] = redoLate;
    c["redo_last1000_us_per_frame"] = redoLatePerFrame;
  }
}

BENCHMARK(BM_UndoRedoOnePress)->Unit(benchmark::kMicrosecond)->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(BM_UndoAndRedoASession)->Iterations(1)->Unit(benchmark::kSecond);

void printSummary(const RecordingReporter& results) {
  std::printf("\nUndo and redo:\n");
  if (results.has("BM_UndoRedoOnePress")) {
    std::printf("  undo + redo of one press (110 frames)  %7.1f us real, %.1f us CPU (target < 1 ms)\n",
                results.seconds("BM_UndoRedoOnePress") * 1e6,
                results.cpuSeconds("BM_UndoRedoOnePress") * 1e6);
  }
  const char* s = "BM_UndoAndRedoASession";
  if (!results.has(s)) return;
  std::printf("  a session of %.0f actions (10,000 presses and the noise flips between them):\n",
              results.counter(s, "actions"));
  for (const char* what : {"undo", "redo"}) {
    const std::string k = what;
    std::printf("  %s, first 1,000 actions of the session %7.1f us each, %.2f us/frame\n", what,
                results.counter(s, k + "_first1000_us"),
                results.counter(s, k + "_first1000_us_per_frame"));
    std::printf("  %s, last 1,000 actions of the session  %7.1f us each, %.2f us/frame\n", what,
                results.counter(s, k + "_last1000_us"),
                results.counter(s, k + "_last1000_us_per_frame"));
  }
}

}  // namespace
}  // namespace kinemora::bench

int main(int argc, char** argv) {
  return kinemora::bench::runBenchmarks(argc, argv, kinemora::bench::printSummary);
}
