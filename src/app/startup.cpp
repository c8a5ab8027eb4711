#include "app/startup.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>

#include "app/callbacks.h"
#include "app/play_button.h"

namespace kinemora {

namespace {

// The motion buttons: one per motion of the motion table, in its order, in
// a column at the right of the view.
constexpr int kMotionColumnX = 720;
constexpr int kMotionColumnTop = 40;
constexpr int kMotionRowStep = 40;
constexpr int kMotionButtonW = 80;
constexpr int kMotionButtonH = 30;

}  // namespace

MainWindow* buildMainWindow() {
  auto* window = new MainWindow(100, 100, 900, 800, "Kinemora");

  // text, shortcut, callback, user data, flags, label type/font/size/colour
  Fl_Menu_Item menu[] = {
      {"&File",      0,             nullptr,      nullptr, FL_SUBMENU, 0, 0, 0, 0},
      {"&Save File", FL_CTRL + 's', saveCallback, nullptr, 0,          0, 0, 0, 0},
      {"&Export glTF...", FL_CTRL + 'e', exportCallback, nullptr, 0,   0, 0, 0, 0},
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

  for (const MotionEntry& entry : kMotions) {
    const int row = static_cast<int>(entry.motion);
    auto* button = new Fl_Button(kMotionColumnX, kMotionColumnTop + row * kMotionRowStep,
                                 kMotionButtonW, kMotionButtonH, entry.label);
    button->callback(motionCallback, const_cast<MotionEntry*>(&entry));
  }
  // Under the timeline.
  (new Fl_Button(10, 700, 80, 30, "clear"))->callback(clearCallback);
  (new Fl_Light_Button(100, 700, 100, 30, "add noise"))->callback(noiseCallback);

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
