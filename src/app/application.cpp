#include "app/application.h"

#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>

#include <cstdlib>
#include <functional>
#include <new>
#include <optional>

#include "app/callbacks.h"
#include "app/message_box.h"
#include "app/progress_dialog.h"
#include "compose/composition_file.h"
#include "compose/memory_need.h"
#include "export/save_target.h"
#include "export/shown_text.h"

namespace kinemora {

namespace {

// Runs a save of `path`; running out of memory fails it like any other
// reason.
SaveResult guarded(const std::string& path, const std::function<SaveResult()>& save) {
  try {
    return save();
  } catch (const std::bad_alloc&) {
    return {false, "There is not enough memory to save '" + shownText(path) +
                       "'.\nAn existing file was left as it was."};
  }
}

// Runs a save of `path`; a failure is shown with its reason. True when the
// file was written.
bool saved(const std::string& path, const std::function<SaveResult()>& save) {
  const SaveResult result = guarded(path, save);
  if (!result) tell(result.message);
  return result.ok;
}

// Whether items[i] opens a submenu whose every item has the callback, as
// Edit > Insert Before has.
bool submenuOf(const Fl_Menu_Item* items, int i, Fl_Callback* callback) {
  if (!items[i].submenu() || !items[i + 1].label()) return false;
  for (int j = i + 1; items[j].label(); ++j) {
    if (items[j].callback() != callback) return false;
  }
  return true;
}

void setActive(Fl_Menu_Bar* menuBar, Fl_Callback* callback, bool active) {
  // Every item with this callback (Redo has a second, hidden one for
  // Ctrl+Y), and a submenu of them.
  const Fl_Menu_Item* items = menuBar->menu();
  for (int i = 0; i < menuBar->size(); ++i) {
    auto* item = const_cast<Fl_Menu_Item*>(&items[i]);
    if (item->label() && (item->callback() == callback || submenuOf(items, i, callback))) {
      active ? item->activate() : item->deactivate();
    }
  }
}

// An edit composes 600,000 to 900,000 frames a second again on the machine
// this was measured on (bench/app/clip_edit_bench.cpp prints the rate): one
// that composes more than these takes about a third of a second and shows
// the wait cursor; a quicker one does not, so it never flickers.
constexpr int kBusyFrames = 250000;

// The frames an edit composes again: those from the first clip it changes
// to the end.
int framesToCompose(const std::vector<Clip>& before, const std::vector<ClipWord>& after) {
  std::size_t i = 0;
  while (i < before.size() && i < after.size() && before[i].word == after[i]) ++i;
  if (i == before.size()) return 0;
  const Clip& last = before.back();
  return last.firstFrame + last.frames - before[i].firstFrame;
}

// The wait cursor over the window while it lives, when `busy`.
class WaitCursor {
 public:
  WaitCursor(Fl_Window* window, bool busy) : window_(busy ? window : nullptr) {
    if (!window_) return;
    window_->cursor(FL_CURSOR_WAIT);
    Fl::flush();  // on the screen before the work starts
  }
  ~WaitCursor() {
    if (window_) window_->cursor(FL_CURSOR_DEFAULT);
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Fl_Window* const window_;
};

// The chooser's answer as a string; empty when it was cancelled. Given no
// name, it opens in the folder it was last in.
std::string choose(const char* title, const char* pattern) {
  const char* path = fl_file_chooser(title, pattern, "");
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

}  // namespace

void Application::showIn(const ShellWidgets& widgets) {
  widgets_ = widgets;
  showComposition();
}

void Application::press(Motion motion) { act({Action::Kind::Press, motion}); }

void Application::switchNoise() { act({Action::Kind::Noise}); }

void Application::clear() {
  act({Action::Kind::Clear});
  widgets_.timeline->value(0);
  widgets_.timeline->do_callback();
}

void Application::undo() {
  act({Action::Kind::Undo});
  showChangedFrames();
}

void Application::redo() {
  act({Action::Kind::Redo});
  showChangedFrames();
}

void Application::showFrame() {
  const double frame = widgets_.timeline->value();
  widgets_.window->view()->setFrame(static_cast<float>(frame));
  widgets_.strip->setFrame(frame);
}

void Application::selectClip(int clip) {
  if (clip < 0 || clip >= static_cast<int>(clips_.size())) return;
  selection_.select(clip);
  showSelection();
  widgets_.timeline->value(clips_[clip].firstFrame);
  widgets_.timeline->do_callback();
}

void Application::extendSelection(int clip) {
  if (clip < 0 || clip >= static_cast<int>(clips_.size())) return;
  selection_.extendTo(clip);
  showSelection();
}

void Application::clearSelection() {
  selection_.clear();
  showSelection();
}

void Application::moveSelectionTo(int clip) {
  applyEdit(moveClipsTo(clipWords(clips_), selection_.range(), clip));
}

void Application::deleteClip() { applyEdit(deleteClips(clipWords(clips_), selection_.range())); }

void Application::moveClipEarlier() {
  applyEdit(moveClips(clipWords(clips_), selection_.range(), -1));
}

void Application::moveClipLater() {
  applyEdit(moveClips(clipWords(clips_), selection_.range(), +1));
}

void Application::duplicateClip() {
  applyEdit(duplicateClips(clipWords(clips_), selection_.range()));
}

void Application::insertBefore(Motion motion) {
  applyEdit(insertClip(clipWords(clips_), selection_.range(), motion, composer_.noise()));
}

void Application::replaceWith(Motion motion) {
  applyEdit(replaceClips(clipWords(clips_), selection_.range(), motion));
}

void Application::toggleClipNoise() {
  applyEdit(kinemora::toggleClipNoise(clipWords(clips_), selection_.range()));
}

void Application::openComposition() {
  if (!sessionMayBeLeft()) return;
  const std::string path = choose("Open Composition?", "*.kinemora");
  if (!path.empty()) openComposition(path.c_str());
}

void Application::openComposition(const char* path) {
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
  const std::vector<Action> before = history_.actions();
  try {
    replay(actions);
    selection_.clear();
    savedState_.compositionSaved(path, history_.actions());
    widgets_.timeline->value(0);
  } catch (const std::bad_alloc&) {
    replay(before);  // it fitted before
    tell("There is not enough memory to open '" + shownText(path) +
         "'.\nThe animation is as it was.");
  }
  showComposition();
  showChangedFrames();
}

void Application::exportVideo() {
  if (composer_.frameCount() == 0) {
    tell("The timeline is empty, and a video needs at least one frame.");
    return;
  }
  std::string path = chooseAnimationPath("Export Video As?", "*.{mp4,gif}");
  if (path.empty()) return;
  const std::optional<VideoFormat> format = videoFormatOfPath(path);
  if (!format) path += ".mp4";
  const FigureView& view = *widgets_.window->view();
  const VideoShot shot{view.camera, {view.w(), view.h()}};
  ProgressDialog dialog("Export Video", composer_.frameCount());
  const SaveResult result = dialog.run([&](const FramesWritten& written) {
    return saveVideo(path, format.value_or(VideoFormat::Mp4), shot, written);
  });
  if (result) {
    savedState_.animationExported(history_.actions());
  } else if (!dialog.cancelled()) {
    tell(result.message);
  }
}

void Application::saveFile() {
  const std::string path = chooseAnimationPath("Save File As?", "*");
  if (!path.empty()) saveAnimation(path, FileFormat::Bvh);
}

void Application::exportGltf() {
  const std::string path = chooseAnimationPath("Export glTF As?", "*.{glb,gltf}");
  if (path.empty()) return;
  const FileFormat format = formatOfPath(path);
  if (format == FileFormat::Bvh) {
    saveAnimation(path + ".glb", FileFormat::Glb);
  } else {
    saveAnimation(path, format);
  }
}

bool Application::saveComposition() {
  const std::string path = savedState_.path();  // a copy: the save sets it
  return path.empty() ? saveCompositionAs() : saveComposition(path.c_str());
}

bool Application::saveCompositionAs() {
  const std::string path = choose("Save Composition As?", "*.kinemora");
  return !path.empty() && saveComposition(path.c_str());
}

void Application::exit() {
  if (sessionMayBeLeft()) std::exit(0);
}

// Runs on the export's own thread: it reads the frames, which nothing
// changes while the progress dialog holds the window.
SaveResult Application::saveVideo(const std::string& path, VideoFormat format,
                                  const VideoShot& shot, const FramesWritten& written) const {
  return guarded(path, [&] {
    return save(path, [&](Output& out, std::string* reason) {
      return writeVideo(frames(), composer_.frameCount(), format, shot, out, written, reason);
    });
  });
}

void Application::saveAnimation(const std::string& path, FileFormat format) {
  if (saved(path, [&] { return composer_.save(path.c_str(), format); })) {
    savedState_.animationExported(history_.actions());
  }
}

bool Application::saveComposition(const char* path) {
  const std::string named = withCompositionExtension(path);
  const std::vector<Action> actions = history_.actions();
  if (!saved(named, [&] { return writeComposition(named, actions); })) return false;
  savedState_.compositionSaved(named, actions);
  showComposition();
  return true;
}

// Before the session is left (Exit, closing the window, opening another
// composition): asks what to do with unsaved changes. True when leaving may
// go on: nothing was unsaved, it is saved now, or the user lets it go.
bool Application::sessionMayBeLeft() {
  const std::vector<Action> now = history_.actions();
  if (!savedState_.unsaved(now)) return true;
  std::string question = "Save changes to " + savedState_.name() + "?";
  if (savedState_.exported(now)) {
    question += "\nThe animation was exported, but the composition was not saved.";
  }
  switch (askToSave(question)) {
    case Answer::Save: return saveComposition();
    case Answer::DontSave: return true;
    case Answer::Cancel: return false;
  }
  return false;
}

// Performs an action through the history and shows the result. A press that
// runs out of memory has changed nothing: it only says so.
void Application::act(const Action& action) {
  try {
    history_.perform(action);
  } catch (const std::bad_alloc&) {
    tell("There is not enough memory for \"" + std::string(wordOf(action)) +
         "\".\nThe animation is as it was.");
  }
  showComposition();
}

// The history's actions from a fresh start.
void Application::replay(const std::vector<Action>& actions) {
  history_.restart();
  for (const Action& action : actions) history_.perform(action);
}

// The edit, then what it changed on the screen. Running out of memory part
// way changes nothing: it only says so.
void Application::applyEdit(const ClipEdit& edit) {
  try {
    const WaitCursor wait(widgets_.window, framesToCompose(clips_, edit.clips) > kBusyFrames);
    applyClips(history_, edit.clips);
    selection_.set(edit.selected);
  } catch (const std::bad_alloc&) {
    tell("There is not enough memory for this edit.\nThe animation is as it was.");
  }
  showComposition();
  showChangedFrames();
}

void Application::showComposition() {
  const std::vector<Action> actions = history_.actions();
  clips_ = clipsOf(actions);
  selection_.keepWithin(static_cast<int>(clips_.size()));
  widgets_.strip->setClips(clips_);
  widgets_.motionQueue->showClips(clips_);
  widgets_.noiseSwitch->value(composer_.noise());
  widgets_.timeline->setFrameCount(composer_.frameCount());
  setActive(widgets_.menuBar, undoCallback, history_.canUndo());
  setActive(widgets_.menuBar, redoCallback, history_.canRedo());
  showSelection();
  widgets_.window->copy_label(savedState_.title(actions).c_str());
}

void Application::showSelection() {
  const ClipRange range = selection_.range();
  widgets_.strip->setSelection(range, selection_.cursor());
  const bool any = !range.empty();
  const int last = static_cast<int>(clips_.size()) - 1;
  const struct {
    Fl_Callback* callback;
    bool active;
  } edits[] = {
      {deleteClipCallback,      any},
      {moveClipEarlierCallback, any && range.first > 0},
      {moveClipLaterCallback,   any && range.last < last},
      {duplicateClipCallback,   any},
      {insertBeforeCallback,    any},
      {replaceWithCallback,     any},
      {toggleClipNoiseCallback, any},
  };
  for (const auto& edit : edits) setActive(widgets_.menuBar, edit.callback, edit.active);
}

// What an undo, a redo or an opened file changed may be on screen: the
// slider keeps within the timeline and the view draws again.
void Application::showChangedFrames() {
  TimelineSlider* timeline = widgets_.timeline;
  if (timeline->value() > timeline->maximum()) timeline->value(timeline->maximum());
  timeline->do_callback();
}

}  // namespace kinemora
