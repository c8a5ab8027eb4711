// The view drawn by Mesa's software OpenGL under a virtual X server, checked
// pixel by pixel against where the camera must put the figure and the floor.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/figure_view.h"
#include "scene_projection.h"
#include "video/offscreen_renderer.h"

namespace kinemora {
namespace {

using test::project;
using test::Screen;
using test::ViewSetup;
using test::World;

struct Rgb {
  int r, g, b;
};

// The view, keeping a copy of every frame it draws.
class CapturingView : public FigureView {
 public:
  using FigureView::FigureView;

  void draw() override {
    FigureView::draw();
    pixels.resize(static_cast<std::size_t>(w()) * h() * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w(), h(), GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    ++draws;
  }

  // Window coordinates, origin at the bottom left as OpenGL counts.
  Rgb at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * w() + x) * 3;
    return {pixels[i], pixels[i + 1], pixels[i + 2]};
  }

  std::vector<unsigned char> pixels;
  int draws = 0;
};

bool near(int a, int b) { return std::abs(a - b) <= 2; }
bool isColour(const Rgb& c, const Rgb& want) {
  return near(c.r, want.r) && near(c.g, want.g) && near(c.b, want.b);
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLightTile{178, 178, 178};  // 0.7 of 255, either rounding
constexpr Rgb kDarkTile{77, 77, 178};     // 0.3 and 0.7 of 255

std::string describe(const Rgb& c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
         ")";
}

// Rest positions of the figure, from its offsets: the root stands at
// (0, 60, 0), the right side is +X.
const World kLeafBalls[] = {
    {0, 85, 0},     // Nod
    {10, 40, 0},    // Rwrist
    {-10, 40, 0},   // Lwrist
    {5, 5, 0},      // Rankle
    {-5, 5, 0},     // Lankle
};
const World kBoneMiddles[] = {
    {0, 70, 0},       // Neck, Rchest and Lchest, on top of each other
    {5, 80, 0},       // Rshoulder, along X
    {-5, 80, 0},      // Lshoulder
    {10, 70, 0},      // Relbow
    {-10, 70, 0},     // Lelbow
    {10, 50, 0},      // Rwrist
    {-10, 50, 0},     // Lwrist
    {5, 42.5, 0},     // Rknee
    {-5, 42.5, 0},    // Lknee
    {5, 17.5, 0},     // Rankle
    {-5, 17.5, 0},    // Lankle
};
// Gaps the figure must leave open: between the legs, between arm and
// chest, beside the arm, above the head.
const World kGaps[] = {
    {0, 30, 0}, {5, 65, 0}, {-5, 65, 0}, {20, 70, 0}, {0, 95, 0},
};

class FigureViewPixels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    window_ = new Fl_Window(100, 100, 710, 600, "view pixels");
    view_ = new CapturingView(10, 40, 690, 550, "");
    window_->end();
    window_->show();
  }
  static void TearDownTestSuite() {
    window_->hide();
    Fl::check();
    delete window_;
  }

  void SetUp() override {
    view_->camera = Camera();
    frames_ = FrameStore();
    view_->setFrames(&frames_);
    view_->setFrame(0);
  }

  void render() {
    const int before = view_->draws;
    view_->redraw();
    for (int i = 0; i < 400 && view_->draws == before; ++i) Fl::wait(0.05);
    ASSERT_GT(view_->draws, before) << "the view was never drawn";
  }

  Rgb pixelAt(const World& p, const ViewSetup& setup = {}) const {
    const Screen s = project(p, setup);
    EXPECT_TRUE(s.visible) << p.x << ", " << p.y << ", " << p.z;
    return view_->at(static_cast<int>(s.x), static_cast<int>(s.y));
  }

  void expectRestPose(const ViewSetup& setup = {}) {
    for (const World& p : kLeafBalls) {
      const Rgb c = pixelAt(p, setup);
      EXPECT_TRUE(isColour(c, kGreen)) << "leaf ball at " << p.x << ", " << p.y << ": "
                                       << describe(c);
    }
    for (const World& p : kBoneMiddles) {
      const Rgb c = pixelAt(p, setup);
      EXPECT_TRUE(isColour(c, kRed)) << "bone middle at " << p.x << ", " << p.y << ": "
                                     << describe(c);
    }
    for (const World& p : kGaps) {
      const Rgb c = pixelAt(p, setup);
      EXPECT_FALSE(isColour(c, kRed) || isColour(c, kGreen))
          << "gap at " << p.x << ", " << p.y << ": " << describe(c);
    }
  }

  // Two frames for every joint, all at rest except the right shoulder's
  // second, a half turn about Z that swings the arm straight up.
  void storeArmRaise() {
    frames_.append();
    Quaternion halfTurn;
    halfTurn.x = 0;
    halfTurn.y = 0;
    halfTurn.z = 1;
    halfTurn.w = 0;
    frames_.append().rotations[kRshoulder] = halfTurn;
  }

  static FrameStore frames_;

  static Fl_Window* window_;
  static CapturingView* view_;
};

Fl_Window* FigureViewPixels::window_ = nullptr;
FrameStore FigureViewPixels::frames_;
CapturingView* FigureViewPixels::view_ = nullptr;

TEST_F(FigureViewPixels, RestPoseLiesWhereTheCameraProjectsIt) {
  render();
  expectRestPose();
}

double distanceToLine(const Screen& p, const Screen& a, const Screen& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  return std::fabs(dy * (p.x - a.x) - dx * (p.y - a.y)) / std::hypot(dx, dy);
}

// Every tile whose centre is well inside its picture (at least 3 pixels from
// the projected edges, so not at the horizon) and not hidden by the figure.
TEST_F(FigureViewPixels, CheckerboardTilesAlternateFromTheDarkCorner) {
  render();
  const double step = 50.0 / 3.0;
  int checked = 0;
  for (int i = 0; i < 60; ++i) {
    for (int j = 0; j < 60; ++j) {
      const double x0 = -500 + i * step, z0 = -500 + j * step;
      const World centre{x0 + step / 2, 0, z0 + step / 2};
      if (std::fabs(centre.x) < 40 && centre.z > -30) continue;  // behind the figure
      const Screen s = project(centre);
      if (!s.visible) continue;
      const World corners[] = {{x0, 0, z0}, {x0, 0, z0 + step},
                               {x0 + step, 0, z0 + step}, {x0 + step, 0, z0}};
      bool wellInside = s.x >= 3 && s.x <= 687 && s.y >= 3 && s.y <= 547;
      for (int k = 0; k < 4; ++k) {
        wellInside = wellInside &&
                     distanceToLine(s, project(corners[k]), project(corners[(k + 1) % 4])) >= 3;
      }
      if (!wellInside) continue;
      const Rgb want = (i + j) % 2 != 0 ? kLightTile : kDarkTile;
      const Rgb c = view_->at(static_cast<int>(s.x), static_cast<int>(s.y));
      EXPECT_TRUE(isColour(c, want)) << "tile " << i << ", " << j << ": " << describe(c);
      ++checked;
    }
  }
  EXPECT_GE(checked, 100);
}

TEST_F(FigureViewPixels, SkyAboveTheFloorIsBlack) {
  render();
  for (int x : {5, 100, 345, 600, 684}) EXPECT_TRUE(isColour(view_->at(x, 545), kBlack)) << x;
}

TEST_F(FigureViewPixels, AtFirstTheFirstFrameShows) {
  storeArmRaise();
  render();
  EXPECT_TRUE(isColour(pixelAt({10, 40, 0}), kGreen));
}

TEST_F(FigureViewPixels, TimelineValueChoosesTheFrameAndTheLastFrameHolds) {
  storeArmRaise();
  struct Case {
    double value;
    bool raised;
  };
  const Case cases[] = {{0, false}, {0.9, false}, {1, true}, {1.5, true}, {5, true}};
  for (const Case& k : cases) {
    view_->setFrame(static_cast<float>(k.value));  // the timeline's value, as it passes it on
    render();
    const World wrist = k.raised ? World{10, 120, 0} : World{10, 40, 0};
    const World other = k.raised ? World{10, 40, 0} : World{10, 120, 0};
    EXPECT_TRUE(isColour(pixelAt(wrist), kGreen)) << "value " << k.value;
    EXPECT_FALSE(isColour(pixelAt(other), kGreen)) << "value " << k.value;
    // The joint's rotation turns its children, not its own bone.
    EXPECT_TRUE(isColour(pixelAt({5, 80, 0}), kRed)) << "value " << k.value;
  }
}

TEST_F(FigureViewPixels, EyeKeysMoveTheCamera) {
  view_->camera.moveEyeForKey('w');
  view_->camera.moveEyeForKey('w');
  view_->camera.moveEyeForKey('a');
  render();
  ViewSetup moved;
  moved.eye = {2, 50, -176};
  expectRestPose(moved);
}

// A right-drag from the centre a tenth of the way to the right edge turns
// the camera to the right by 2 atan(0.1 / 0.995), about the eye: the figure
// moves left in the picture.
TEST_F(FigureViewPixels, TrackballTurnsTheSceneAboutTheEye) {
  view_->camera.trackball.beginDrag(0, 0);
  view_->camera.trackball.drag(0.1f, 0);
  render();
  ViewSetup turned;
  turned.yawDegrees = 2.0 * std::atan2(0.1, std::sqrt(0.99)) * 180.0 / M_PI;
  expectRestPose(turned);
  EXPECT_LT(project({0, 85, 0}, turned).x, project({0, 85, 0}).x - 50);
}

// Videos are drawn off the screen (in a thread of their own, as the window
// does: its own context stays current here) and show the view's picture.
TEST_F(FigureViewPixels, OffScreenDrawingIsTheViewsPicture) {
  storeArmRaise();
  view_->setFrame(1);
  view_->camera.trackball.beginDrag(0, 0);
  view_->camera.trackball.drag(0.1f, 0.05f);
  render();
  Picture picture;
  std::string error;
  std::thread([&] {
    OffscreenRenderer renderer;
    if (renderer.open({view_->w(), view_->h()}, &error)) {
      renderer.render(view_->camera, frames_[1], &picture);
    }
  }).join();
  ASSERT_EQ(error, "");
  int differing = 0;
  for (int y = 0; y < view_->h(); ++y) {
    for (int x = 0; x < view_->w(); ++x) {
      const std::uint8_t* p = &picture.rgba[((view_->h() - 1 - y) * view_->w() + x) * 4];
      const Rgb c = view_->at(x, y);
      differing += c.r != p[0] || c.g != p[1] || c.b != p[2];
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace kinemora
