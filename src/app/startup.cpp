#include "app/startup.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>

#include <iterator>

#include "app/callbacks.h"
#include "app/play_button.h"

namespace kinemora {

namespace {

// The nine buttons in creation order: the motion column on the right, then
// "clear" and the "add noise" switch under the timeline.
struct ButtonPlace {
  int x, y, w, h;
  const char* label;
  Fl_Callback* callback;
  bool toggle;  // a light button that stays on or off
};
const ButtonPlace kButtons[] = {
    // x    y    w    h   label        callback        toggle
    {720,  40,  80,  30, "rhumba",    rhumbaCallback,  false},
    {720,  80,  80,  30, "clap",      clapCallback,    false},
    {720, 120,  80,  30, "bend",      bendCallback,    false},
    {720, 160,  80,  30, "seizure",   seizureCallback, false},
    {720, 200,  80,  30, "punchR",    punchRCallback,  false},
    {720, 240,  80,  30, "punchL",    punchLCallback,  false},
    {720, 280,  80,  30, "cheer",     cheerCallback,   false},
    { 10, 700,  80,  30, "clear",     clearCallback,   false},
    {100, 700, 100,  30, "add noise", noiseCallback,   true},
};
constexpr std::size_t kButtonCount = std::size(kButtons);

}  // namespace

MainWindow* buildMainWindow() {
  auto* window = new MainWindow(100, 100, 900, 800, "Kinemora");

  // text, shortcut, callback, user data, flags, label type/font/size/colour
  Fl_Menu_Item menu[] = {
      {"&File",      0,             nullptr,      nullptr, FL_SUBMENU, 0, 0, 0, 0},
      {"&Save File", FL_CTRL + 's', saveCallback, nullptr, 0,          0, 0, 0, 0},
      {"E&xit",      FL_CTRL + 'q', exitCallback, nullptr, 0,          0, 0, 0, 0},
      {nullptr,      0,             nullptr,      nullptr, 0,          0, 0, 0, 0},
      {nullptr,      0,             nullptr,      nullptr, 0,          0, 0, 0, 0},
  };

  window->begin();
  // The view closes its own group: what follows belongs to the window.
  figureView = new FigureView(10, 40, 690, 550, "");
  composer = new Composer(*figureView->skeleton);

  auto* menuBar = new Fl_Menu_Bar(0, 0, 900, 30);
  menuBar->copy(menu);

  Fl_Button* buttons[kButtonCount];
  for (std::size_t i = 0; i < kButtonCount; ++i) {
    const ButtonPlace& p = kButtons[i];
    buttons[i] = p.toggle ? new Fl_Light_Button(p.x, p.y, p.w, p.h, p.label)
                          : new Fl_Button(p.x, p.y, p.w, p.h, p.label);
  }
  for (std::size_t i = 0; i < kButtonCount; ++i) buttons[i]->callback(kButtons[i].callback);

  timelineSlider = new TimelineSlider(figureView, 0, 90, 600, 610, 40);
  figureView->timeline = timelineSlider;
  new PlayButton(timelineSlider, 10, 600, 80, 40);
  motionQueueDisplay = new Fl_Multiline_Output(100, 650, 600, 40, "motion queue:");
  // The label sits left of the field; at the default size its first letters
  // would fall off the window's edge.
  motionQueueDisplay->labelsize(12);
  window->end();

  window->setView(figureView);
  return window;
}

}  // namespace kinemora
