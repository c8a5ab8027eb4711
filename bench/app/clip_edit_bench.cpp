// The cost of an edit of a long composition in the real window: 1,000 clips,
// the seven motions in turn, noise on every other clip. An edit at the first
// clip composes every frame again; Delete Clip and Toggle Clip Noise are
// each timed from the command to the window painted (Fl::flush), then
// undone. Also the strip painted alone, and the rate at which an edit
// composes frames again, which sets when the wait cursor shows
// (application.cpp). Needs a display, e.g. tests/run_with_xvfb.sh.
#include <FL/Fl.H>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/application.h"
#include "app/clip_strip.h"
#include "app/startup.h"
#include "compose/clip_edits.h"

namespace {

using namespace kinemora;
using Clock = std::chrono::steady_clock;

constexpr int kClips = 1000;
constexpr int kRounds = 7;

double msOf(const std::function<void()>& work) {
  const Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void printTimes(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-34s min %7.1f ms, median %7.1f ms, max %7.1f ms\n", what, ms.front(),
              ms[ms.size() / 2], ms.back());
}

ClipStrip* findStrip(Fl_Group* window) {
  for (int i = 0; i < window->children(); ++i) {
    if (auto* strip = dynamic_cast<ClipStrip*>(window->child(i))) return strip;
  }
  return nullptr;
}

// Frames composed again per second by an edit at the first clip, without
// the window.
double composeRate() {
  Composer composer;
  History history(composer);
  for (int i = 0; i < kClips; ++i) {
    history.perform({Action::Kind::Press, static_cast<Motion>(i % kMotionCount)});
    history.perform({Action::Kind::Noise});
  }
  const std::vector<ClipWord> words = clipWords(clipsOf(history.actions()));
  const std::vector<ClipWord> toggled = toggleClipNoise(words, {0, 0}).clips;
  double ms = 0;
  for (int round = 0; round < kRounds; ++round) {
    ms += msOf([&] { applyClips(history, round % 2 ? words : toggled); });
  }
  return composer.frameCount() * kRounds / (ms / 1000.0);
}

}  // namespace

int main() {
  Application app;
  MainWindow* window = buildMainWindow(app);
  window->show();
  while (!window->view()->valid()) Fl::wait(0.01);

  for (int i = 0; i < kClips; ++i) {
    app.press(static_cast<Motion>(i % kMotionCount));
    app.switchNoise();
  }
  Fl::flush();
  std::vector<double> deletes, toggles, strips;
  for (int round = 0; round < kRounds; ++round) {
    app.selectClip(0);
    Fl::flush();
    deletes.push_back(msOf([&] {
      app.deleteClip();
      Fl::flush();
    }));
    app.undo();
    app.selectClip(0);
    Fl::flush();
    toggles.push_back(msOf([&] {
      app.toggleClipNoise();
      Fl::flush();
    }));
    app.undo();
    Fl::flush();
    strips.push_back(msOf([&] {
      findStrip(window)->redraw();
      Fl::flush();
    }));
  }

  std::printf("%d clips, %d frames\n", kClips, app.frames().count());
  printTimes("Delete Clip at the first clip:", deletes);
  printTimes("Toggle Clip Noise at the first:", toggles);
  printTimes("the strip painted alone:", strips);
  std::printf("composing again: %.0f frames a second\n", composeRate());
  return 0;
}
