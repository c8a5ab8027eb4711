#include "app/startup.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>

#include <string>

#include "app/callbacks.h"
#include "app/clip_strip.h"
#include "app/motion_button.h"
#include "app/motion_queue_output.h"
#include "app/play_button.h"
#include "app/figure_view.h"

namespace kinemora {

namespace {

// The motion buttons: one per motion of the motion table, in its order, in
// a column at the right of the view.
constexpr int kMotionColumnX = 720;
constexpr int kMotionColumnTop = 40;
constexpr int kMotionRowStep = 40;
constexpr int kMotionButtonW = 80;
constexpr int kMotionButtonH = 30;

Fl_Menu_Item item(const char* text, int shortcut, Fl_Callback* callback, int flags = 0) {
  return {text, shortcut, callback, nullptr, flags, 0, 0, 0, 0};
}
const Fl_Menu_Item kEndOfMenu = item(nullptr, 0, nullptr);

}  // namespace

MainWindow* buildMainWindow(Application& app) {
  auto* window = new MainWindow(100, 100, 900, 800, "Kinemora");

  constexpr int kCtrl = FL_CTRL, kCtrlShift = FL_CTRL | FL_SHIFT, kAlt = FL_ALT;
  const Fl_Menu_Item menu[] = {
      // text                         shortcut          callback                 flags
      item("&File",                   0,                nullptr,                 FL_SUBMENU),
      item("&Open Composition...",    kCtrl + 'o',      openCompositionCallback),
      item("&Save File",              kCtrl + 's',      saveCallback),
      item("Export glTF...",          kCtrl + 'e',      exportCallback),
      item("Export &Video...",        0,                exportVideoCallback),
      item("Save &Composition",       kCtrlShift + 's', saveCompositionCallback),
      item("Save Composition &As...", 0,                saveCompositionAsCallback),
      item("E&xit",                   kCtrl + 'q',      exitCallback),
      kEndOfMenu,
      item("&Edit",                   0,                nullptr,                 FL_SUBMENU),
      item("&Undo",                   kCtrl + 'z',      undoCallback),
      item("&Redo",                   kCtrlShift + 'z', redoCallback,            FL_MENU_DIVIDER),
      // Ctrl+Y redoes too; its item is not shown.
      item("Redo",                    kCtrl + 'y',      redoCallback,            FL_MENU_INVISIBLE),
      item("&Delete Clip",            FL_Delete,        deleteClipCallback),
      item("Move Clip &Earlier",      kAlt + FL_Left,   moveClipEarlierCallback),
      item("Move Clip &Later",        kAlt + FL_Right,  moveClipLaterCallback),
      item("Dupli&cate Clip",         kCtrl + 'd',      duplicateClipCallback),
      item("&Insert Before",          0,                nullptr,                 FL_SUBMENU),
      kEndOfMenu,  // the motions, added below
      item("Re&place With",           0,                nullptr,                 FL_SUBMENU),
      kEndOfMenu,
      item("Toggle Clip &Noise",      kAlt + 'n',       toggleClipNoiseCallback),
      kEndOfMenu,
      kEndOfMenu,
  };

  window->begin();
  // The view closes its own group: what follows belongs to the window.
  auto* view = new FigureView(10, 40, kFirstViewWidth, kFirstViewHeight, "");
  view->setFrames(&app.frames());
  window->place(view, MainWindow::kWider | MainWindow::kTaller);

  auto* menuBar = new Fl_Menu_Bar(0, 0, 900, 30);
  menuBar->copy(menu, &app);  // the user data of every item with a callback
  for (const MotionEntry& entry : kMotions) {
    menuBar->add((std::string("&Edit/&Insert Before/") + entry.label).c_str(), 0,
                 insertBeforeCallback, &app);
    menuBar->add((std::string("&Edit/Re&place With/") + entry.label).c_str(), 0,
                 replaceWithCallback, &app);
  }
  window->place(menuBar, MainWindow::kWider);

  for (const MotionEntry& entry : kMotions) {
    const int row = static_cast<int>(entry.motion);
    auto* button = new MotionButton(entry, kMotionColumnX, kMotionColumnTop + row * kMotionRowStep,
                                    kMotionButtonW, kMotionButtonH);
    button->callback(motionCallback, &app);
    window->place(button, MainWindow::kRight);
  }
  // Under the view, in the order Tab visits them: Play, the timeline, the
  // strip under the timeline's track, the motion queue, "clear" and "add
  // noise".
  auto* play = new PlayButton(nullptr, 10, 600, 80, 40);
  window->place(play, MainWindow::kDown);
  auto* timeline = new TimelineSlider(0, 90, 600, 610, 40);
  timeline->callback(frameCallback, &app);
  play->timeline = timeline;
  window->place(timeline, MainWindow::kDown | MainWindow::kWider);
  auto* strip = new ClipStrip(timeline->trackX(), 640, timeline->trackW(), 40,
                              timeline->frameInset());
  strip->callback(clipStripCallback, &app);
  window->place(strip, MainWindow::kDown | MainWindow::kWider);
  auto* motionQueue = new MotionQueueOutput(100, 690, 600, 40, "motion queue:");
  // The label sits left of the field; at the default size its first letters
  // would fall off the window's edge.
  motionQueue->labelsize(12);
  window->place(motionQueue, MainWindow::kDown | MainWindow::kWider);
  auto* clear = new Fl_Button(10, 740, 80, 30, "clear");
  clear->callback(clearCallback, &app);
  window->place(clear, MainWindow::kDown);
  auto* noiseSwitch = new Fl_Light_Button(100, 740, 100, 30, "add noise");
  noiseSwitch->callback(noiseCallback, &app);
  window->place(noiseSwitch, MainWindow::kDown);
  window->end();

  window->setView(view);
  // The window manager's close asks about unsaved changes as Exit does.
  window->callback(exitCallback, &app);
  app.showIn({window, menuBar, timeline, strip, motionQueue, noiseSwitch});
  return window;
}

}  // namespace kinemora
