#include "app/callbacks.h"

#include <FL/Fl_File_Chooser.H>

#include <cstdlib>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "app/message_box.h"
#include "app/motion_button.h"
#include "app/saved_state.h"
#include "compose/composition_file.h"
#include "compose/memory_need.h"
#include "export/file_format.h"
#include "export/shown_text.h"

namespace kinemora {

MainWindow* mainWindow = nullptr;
Fl_Menu_Bar* menuBar = nullptr;
FigureView* figureView = nullptr;
TimelineSlider* timelineSlider = nullptr;
Fl_Multiline_Output* motionQueueDisplay = nullptr;
Fl_Light_Button* noiseSwitch = nullptr;
Composer* composer = nullptr;
History* history = nullptr;
char saveFileName[256] = {};

namespace {

SavedState savedState;

// Runs a save of `path`; a failure, running out of memory included, is
// shown with its reason. True when the file was written.
bool saved(const std::string& path, const std::function<SaveResult()>& save) {
  try {
    const SaveResult result = save();
    if (result) return true;
    tell(result.message);
  } catch (const std::bad_alloc&) {
    tell("There is not enough memory to save '" + shownText(path) +
         "'.\nAn existing file was left as it was.");
  }
  return false;
}

// The frames on the timeline, in the format asked for.
void saveAs(const std::string& path, FileFormat format) {
  if (saved(path, [&] { return composer->save(path.c_str(), format); })) {
    savedState.animationExported(history->actions());
  }
}

void setActive(Fl_Callback* callback, bool active) {
  // Every item with this callback: Redo has a second, hidden one for Ctrl+Y.
  const Fl_Menu_Item* items = menuBar->menu();
  for (int i = 0; i < menuBar->size(); ++i) {
    auto* item = const_cast<Fl_Menu_Item*>(&items[i]);
    if (item->label() && item->callback() == callback) {
      active ? item->activate() : item->deactivate();
    }
  }
}

// Performs an action through the history and shows the result. A press that
// runs out of memory has changed nothing: it only says so.
void act(const Action& action) {
  try {
    history->perform(action);
  } catch (const std::bad_alloc&) {
    tell("There is not enough memory for \"" + std::string(wordOf(action)) +
         "\".\nThe animation is as it was.");
  }
  showComposition();
}

// What an undo, a redo or an opened file changed may be on screen: the
// slider keeps within the timeline and the view draws again.
void showChangedFrames() {
  if (timelineSlider->value() > timelineSlider->maximum()) {
    timelineSlider->value(timelineSlider->maximum());
  }
  timelineSlider->do_callback();
}

// The history's actions from a fresh start.
void replay(const std::vector<Action>& actions) {
  history->restart();
  for (const Action& action : actions) history->perform(action);
}

// The chooser's answer as a string; empty when it was cancelled. It opens
// in the folder it was last in.
std::string choose(const char* title, const char* pattern) {
  const char* path = fl_file_chooser(title, pattern, saveFileName);
  return path ? path : "";
}

// A name for an animation. One ending in ".kinemora" is refused, saying
// why, and the chooser asks again.
std::string chooseAnimationPath(const char* title, const char* pattern) {
  for (;;) {
    const std::string path = choose(title, pattern);
    if (!isCompositionPath(path)) return path;
    tell("'" + shownText(path) + "' is a composition's name.\n" +
         "An animation never replaces a composition; choose another name.");
  }
}

// Save Composition As: false when the name was not given or the save failed.
bool compositionSavedAs() {
  const std::string path = choose("Save Composition As?", "*.kinemora");
  return !path.empty() && saveComposition(path.c_str());
}

// Save Composition: to the composition's own file, once it has one.
bool compositionSaved() {
  const std::string path = savedState.path();
  return path.empty() ? compositionSavedAs() : saveComposition(path.c_str());
}

// Before the session is left (Exit, closing the window, opening another
// composition): asks what to do with unsaved changes. True when leaving may
// go on: nothing was unsaved, it is saved now, or the user lets it go.
bool sessionMayBeLeft() {
  const std::vector<Action> now = history->actions();
  if (!savedState.unsaved(now)) return true;
  std::string question = "Save changes to " + savedState.name() + "?";
  if (savedState.exported(now)) {
    question += "\nThe animation was exported, but the composition was not saved.";
  }
  switch (askToSave(question)) {
    case Answer::Save: return compositionSaved();
    case Answer::DontSave: return true;
    case Answer::Cancel: return false;
  }
  return false;
}

}  // namespace

void showComposition() {
  motionQueueDisplay->value(composer->queueText().c_str());
  noiseSwitch->value(composer->noise());
  timelineSlider->setFrameCount(composer->frameCount());
  setActive(undoCallback, history->canUndo());
  setActive(redoCallback, history->canRedo());
  mainWindow->copy_label(savedState.title(history->actions()).c_str());
}

void motionCallback(Fl_Widget* button, void*) {
  act({Action::Kind::Press, static_cast<MotionButton*>(button)->motion()});
}

void noiseCallback(Fl_Widget*, void*) { act({Action::Kind::Noise}); }

void clearCallback(Fl_Widget*, void*) {
  act({Action::Kind::Clear});
  timelineSlider->value(0);
  timelineSlider->do_callback();
}

void undoCallback(Fl_Widget*, void*) {
  act({Action::Kind::Undo});
  showChangedFrames();
}

void redoCallback(Fl_Widget*, void*) {
  act({Action::Kind::Redo});
  showChangedFrames();
}

void saveCallback(Fl_Widget*, void*) {
  const std::string path = chooseAnimationPath("Save File As?", "*");
  if (!path.empty()) saveAnimation(path.c_str());
}

void saveAnimation(const char* path) { saveAs(path, FileFormat::Bvh); }

void exportCallback(Fl_Widget*, void*) {
  const std::string path = chooseAnimationPath("Export glTF As?", "*.{glb,gltf}");
  if (!path.empty()) exportAnimation(path.c_str());
}

void exportAnimation(const char* path) {
  const FileFormat format = formatOfPath(path);
  if (format == FileFormat::Bvh) {
    saveAs(std::string(path) + ".glb", FileFormat::Glb);
  } else {
    saveAs(path, format);
  }
}

void openCompositionCallback(Fl_Widget*, void*) {
  if (!sessionMayBeLeft()) return;
  const std::string path = choose("Open Composition?", "*.kinemora");
  if (!path.empty()) openComposition(path.c_str());
}

void openComposition(const char* path) {
  std::vector<Action> actions;
  std::string error;
  if (!readComposition(path, &actions, &error)) {
    tell(error);  // already shows its names escaped
    return;
  }
  if (const std::optional<std::string> refusal = memoryRefusal(actions, availableMemory())) {
    tell("Cannot open '" + shownText(path) + "': " + *refusal + ".\nThe animation is as it was.");
    return;
  }
  const std::vector<Action> before = history->actions();
  try {
    replay(actions);
    savedState.compositionSaved(path, history->actions());
    timelineSlider->value(0);
  } catch (const std::bad_alloc&) {
    replay(before);  // it fitted before
    tell("There is not enough memory to open '" + shownText(path) +
         "'.\nThe animation is as it was.");
  }
  showComposition();
  showChangedFrames();
}

void saveCompositionCallback(Fl_Widget*, void*) { compositionSaved(); }

void saveCompositionAsCallback(Fl_Widget*, void*) { compositionSavedAs(); }

bool saveComposition(const char* path) {
  const std::string named = withCompositionExtension(path);
  const std::vector<Action> actions = history->actions();
  if (!saved(named, [&] { return writeComposition(named, actions); })) return false;
  savedState.compositionSaved(named, actions);
  showComposition();
  return true;
}

void exitCallback(Fl_Widget*, void*) {
  if (sessionMayBeLeft()) std::exit(0);
}

}  // namespace kinemora
