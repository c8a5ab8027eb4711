// The pace of "Play" in the real event loop: the real main window, one
// "rhumba" pressed, Play switched on; every advance is timed where the
// timeline's callback asks the view and the strip to repaint. Also the CPU
// the process uses while playing and while idle (Play off). Needs a
// display, e.g. tests/run_with_xvfb.sh.
#include <FL/Fl.H>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

#include "app/application.h"
#include "app/callbacks.h"
#include "app/play_button.h"
#include "app/startup.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kPlaySeconds = 5.0;
constexpr double kIdleSeconds = 5.0;

std::vector<double> advanceTimesMs;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

const Clock::time_point kStart = Clock::now();

void recordingTimelineCallback(Fl_Widget* slider, void* app) {
  advanceTimesMs.push_back(msSince(kStart));
  kinemora::frameCallback(slider, app);
}

kinemora::PlayButton* findPlayButton(Fl_Group* window) {
  for (int i = 0; i < window->children(); ++i) {
    if (auto* play = dynamic_cast<kinemora::PlayButton*>(window->child(i))) return play;
  }
  return nullptr;
}

// Runs the event loop for `seconds`; returns the CPU share of one core.
double runLoopFor(double seconds) {
  const double cpuBefore = cpuSeconds();
  const Clock::time_point start = Clock::now();
  for (double left = seconds; left > 0; left = seconds - msSince(start) / 1000.0) {
    Fl::wait(left);
  }
  return (cpuSeconds() - cpuBefore) / (msSince(start) / 1000.0) * 100.0;
}

}  // namespace

int main() {
  using namespace kinemora;
  Application app;
  MainWindow* window = buildMainWindow(app);
  window->show();
  while (!window->view()->valid()) Fl::wait(0.01);

  app.press(Motion::Rhumba);
  PlayButton* play = findPlayButton(window);
  if (!play) return 1;
  TimelineSlider* timeline = play->timeline;
  timeline->callback(recordingTimelineCallback, &app);

  const double idleBefore = runLoopFor(kIdleSeconds);

  play->value(1);
  play->do_callback();  // as a click does
  const double playing = runLoopFor(kPlaySeconds);
  play->value(0);
  play->do_callback();
  const std::size_t advancesWhilePlaying = advanceTimesMs.size();
  const double idleAfter = runLoopFor(kIdleSeconds);

  std::vector<double> intervals;
  for (std::size_t i = 1; i < advancesWhilePlaying; ++i) {
    intervals.push_back(advanceTimesMs[i] - advanceTimesMs[i - 1]);
  }
  if (intervals.empty()) {
    std::printf("no advances\n");
    return 1;
  }
  const double mean = std::accumulate(intervals.begin(), intervals.end(), 0.0) / intervals.size();
  double variance = 0;
  for (double v : intervals) variance += (v - mean) * (v - mean);
  const double stddev = std::sqrt(variance / intervals.size());
  std::sort(intervals.begin(), intervals.end());

  std::printf("advances in %.0f s of play: %zu (last frame %d)\n", kPlaySeconds,
              advancesWhilePlaying, static_cast<int>(timeline->maximum()));
  std::printf("interval between advances: mean %.2f ms, stddev %.2f ms, min %.2f ms, "
              "median %.2f ms, max %.2f ms\n",
              mean, stddev, intervals.front(), intervals[intervals.size() / 2], intervals.back());
  std::printf("advances after Play went off: %zu\n", advanceTimesMs.size() - advancesWhilePlaying);
  std::printf("CPU of one core: idle before %.2f %%, playing %.2f %%, idle after %.2f %%\n",
              idleBefore, playing, idleAfter);
  return 0;
}
