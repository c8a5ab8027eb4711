#include "app/startup.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>

#include "app/callbacks.h"
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

  constexpr int kCtrl = FL_CTRL, kCtrlShift = FL_CTRL | FL_SHIFT;
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
      item("&Redo",                   kCtrlShift + 'z', redoCallback),
      // Ctrl+Y redoes too; its item is not shown.
      item("Redo",                    kCtrl + 'y',      redoCallback,            FL_MENU_INVISIBLE),
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
  window->place(menuBar, MainWindow::kWider);

  for (const MotionEntry& entry : kMotions) {
    const int row = static_cast<int>(entry.motion);
    auto* button = new MotionButton(entry, kMotionColumnX, kMotionColumnTop + row * kMotionRowStep,
                                    kMotionButtonW, kMotionButtonH);
    button->callback(motionCallback, &app);
    window->place(button, MainWindow::kRight);
  }
  // Under the timeline.
  auto* clear = new Fl_Button(10, 700, 80, 30, "clear");
  clear->callback(clearCallback, &app);
  window->place(clear, MainWindow::kDown);
  auto* noiseSwitch = new Fl_Light_Button(100, 700, 100, 30, "add noise");
  noiseSwitch->callback(noiseCallback, &app);
  window->place(noiseSwitch, MainWindow::kDown);

  auto* timeline = new TimelineSlider(view, 0, 90, 600, 610, 40);
  window->place(timeline, MainWindow::kDown | MainWindow::kWider);
  window->place(new PlayButton(timeline, 10, 600, 80, 40), MainWindow::kDown);
  auto* motionQueue = new MotionQueueOutput(100, 650, 600, 40, "motion queue:");
  // The label sits left of the field; at the default size its first letters
  // would fall off the window's edge.
  motionQueue->labelsize(12);
  window->place(motionQueue, MainWindow::kDown | MainWindow::kWider);
  window->end();

  window->setView(view);
  // The window manager's close asks about unsaved changes as Exit does.
  window->callback(exitCallback, &app);
  app.showIn({window, menuBar, timeline, motionQueue, noiseSwitch});
  return window;
}

}  // namespace kinemora
