// Time to draw one frame of the view at 690 x 550 (the window's first size)
// and at 1600 x 1000 (the window grown), glFinish included, with an
// animation of over 1,000 frames loaded and the shown frame stepping through
// it. Run under a display with room for the larger view, e.g.
//   KINEMORA_XVFB_SCREEN=1920x1200x24 tests/run_with_xvfb.sh build/bench/view/kinemora_bench_draw
#include <benchmark/benchmark.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <GL/gl.h>

#include <cstdio>

#include "app/figure_view.h"
#include "compose/composer.h"

namespace kinemora::bench {
namespace {

constexpr int kFramesTimed = 600;

// The view, counting its paints.
class BenchView : public FigureView {
 public:
  using FigureView::FigureView;
  void draw() override {
    FigureView::draw();
    ++draws;
  }
  int draws = 0;
};

Fl_Window* window = nullptr;
BenchView* view = nullptr;
int framesLoaded = 0;

// The view at w x h, drawn once at that size.
void resizeView(int w, int h) {
  if (view->w() == w && view->h() == h) return;
  window->size(w + 20, h + 50);
  view->resize(10, 40, w, h);
  const int before = view->draws;
  view->redraw();
  while (view->draws == before) Fl::wait(0.1);
}

void BM_DrawFrame(benchmark::State& state) {
  resizeView(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const int frames = framesLoaded;
  int frame = 0;
  for (auto _ : state) {
    view->setFrame(static_cast<float>(frame));  // as the timeline's callback does
    frame = (frame + 1) % frames;
    view->redraw();
    Fl::flush();
    view->make_current();
    glFinish();
  }
  state.counters["frames_loaded"] = framesLoaded;
  state.counters["draws"] = view->draws;
}

}  // namespace
}  // namespace kinemora::bench

int main(int argc, char** argv) {
  using namespace kinemora;
  using namespace kinemora::bench;
  benchmark::Initialize(&argc, argv);

  window = new Fl_Window(0, 0, 710, 600, "draw bench");
  view = new BenchView(10, 40, 690, 550, "");
  window->end();

  Composer composer;
  view->setFrames(&composer.frames());
  for (int i = 0; i < 10; ++i) composer.press(Motion::Rhumba);
  composer.press(Motion::Clap);
  framesLoaded = composer.frameCount();

  window->show();
  while (view->draws == 0) Fl::wait(0.1);  // mapped and drawn once
  std::printf("frames on the timeline: %d, view %dx%d, renderer: %s\n",
              composer.frameCount(), view->w(), view->h(),
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

  benchmark::RegisterBenchmark("DrawFrame", BM_DrawFrame)
      ->Args({690, 550})->Args({1600, 1000})
      ->Iterations(kFramesTimed)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(3);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
