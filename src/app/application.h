#pragma once

#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Menu_Bar.H>

#include <string>
#include <vector>

#include "app/clip_selection.h"
#include "app/clip_strip.h"
#include "app/main_window.h"
#include "app/motion_queue_output.h"
#include "app/saved_state.h"
#include "app/timeline_slider.h"
#include "compose/actions.h"
#include "compose/clip_edits.h"
#include "compose/clips.h"
#include "compose/composer.h"
#include "compose/history.h"
#include "encode/video_format.h"
#include "export/file_format.h"
#include "export/save_result.h"
#include "figure/frame_store.h"
#include "motion/motions.h"
#include "video/video_writer.h"

namespace kinemora {

// The widgets that show the composition. The window owns them.
struct ShellWidgets {
  MainWindow* window = nullptr;  // its title names the composition
  Fl_Menu_Bar* menuBar = nullptr;
  TimelineSlider* timeline = nullptr;
  ClipStrip* strip = nullptr;
  MotionQueueOutput* motionQueue = nullptr;
  Fl_Light_Button* noiseSwitch = nullptr;
};

// The program's state, all of it: the composition (a Composer, every action
// going through its History), what was last saved, and the widgets that
// show them. One command per control of the window; the callbacks
// (callbacks.h) reach it as their user data. It lives as long as the
// program.
class Application {
 public:
  Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The frames the view draws: every frame on the timeline.
  const FrameStore& frames() const { return composer_.frames(); }
  // The widgets to show the composition in, set once before the window
  // shows; they show it at once.
  void showIn(const ShellWidgets& widgets);

  // A motion button: append the motion, then show the queue text and the
  // longer timeline. The slider's value stays.
  void press(Motion motion);
  // "add noise": flips the switch for motions appended from now on.
  void switchNoise();
  // "clear": empties the queue text, the frames and the timeline.
  void clear();

  // Edit > Undo and Edit > Redo, greyed out when there is nothing to do.
  void undo();
  void redo();

  // The timeline slider, which Play moves too: the view and the strip show
  // its frame.
  void showFrame();

  // The strip. Selecting a clip moves the playhead to its first frame;
  // extending the selection (Shift) leaves the playhead.
  void selectClip(int clip);
  void extendSelection(int clip);
  void clearSelection();
  // Dragging: the selected clips move to begin where `clip` is now.
  void moveSelectionTo(int clip);

  // The Edit menu's edits of the selected clips, greyed out with none
  // selected. Each is one undo step that drops what could be redone, and
  // leaves exactly what a fresh start fed the edited words leaves.
  void deleteClip();
  void moveClipEarlier();
  void moveClipLater();
  void duplicateClip();
  // "add noise" as it is lit; a motion button pressed with Shift.
  void insertBefore(Motion motion);
  // A motion button pressed with Ctrl.
  void replaceWith(Motion motion);
  void toggleClipNoise();

  // File > Open Composition: with unsaved changes, asks whether to save them
  // first; then asks for a file and opens it.
  void openComposition();
  // A fresh start followed by the file's actions, or, when the file cannot be
  // read, is not a composition or needs more memory than there is, a message
  // and nothing changed.
  void openComposition(const char* path);
  // File > Save File: asks for a path, then writes the frames on the
  // timeline as BVH. A name ending in ".kinemora" is refused and asked
  // again: an animation never replaces a composition.
  void saveFile();
  // File > Export glTF: asks for a path, refused as for Save File, then
  // writes the same frames as glTF, binary unless the name ends in ".gltf";
  // a name ending in neither ".glb" nor ".gltf" gets ".glb".
  void exportGltf();
  // File > Export Video: refused with a message when the timeline is empty;
  // else asks for a path, refused as for Save File, then films the frames
  // on the timeline as the view shows them now (its camera, its size) as
  // MP4, or as GIF for a name ending in ".gif"; a name ending in neither
  // gets ".mp4". A dialog shows the progress; Cancel leaves no file.
  void exportVideo();
  // File > Save Composition: to the composition's own file without asking
  // once it has one; before that, as Save Composition As. False when it was
  // not saved.
  bool saveComposition();
  // File > Save Composition As: asks for a path, then saves the composition
  // there. False when it was not saved.
  bool saveCompositionAs();
  // File > Exit, and closing the window: with unsaved changes, asks whether
  // to save them first (Save, Don't Save, Cancel); then ends the process,
  // status 0.
  void exit();

 private:
  // Writes the frames on the timeline; a failure is shown with its reason.
  void saveAnimation(const std::string& path, FileFormat format);
  // Films the frames on the timeline; how it went.
  SaveResult saveVideo(const std::string& path, VideoFormat format, const VideoShot& shot,
                       const FramesWritten& written) const;
  // Writes the actions in effect, which the file then holds; ".kinemora" is
  // added to a name without an extension. False, after a message, when it
  // could not be written.
  bool saveComposition(const char* path);
  bool sessionMayBeLeft();
  void act(const Action& action);
  void replay(const std::vector<Action>& actions);
  // Shows what the composition holds now: clips on the strip, queue text,
  // noise light, timeline, the Edit menu's state and the window title.
  void showComposition();
  void showChangedFrames();
  // The selection on the strip and which edits the Edit menu offers.
  void showSelection();
  // An edit of the clips through the history; the wait cursor while it
  // composes many frames. Then its selection and the result are shown.
  void applyEdit(const ClipEdit& edit);

  Composer composer_;
  History history_{composer_};  // every action goes through it
  SavedState savedState_;
  std::vector<Clip> clips_;  // of the actions in effect
  ClipSelection selection_;
  ShellWidgets widgets_;
};

}  // namespace kinemora
