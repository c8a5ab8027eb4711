#pragma once

#include <FL/Fl_Multiline_Output.H>

#include <vector>

#include "compose/clips.h"

namespace kinemora {

// The "motion queue" line: the clips' motions, as text to read, select and
// copy. Once clicked it has the keyboard, so it lets every key it has no use
// for go on to the window: the menus' shortcuts (Ctrl+Z undoes) and the
// view's keys.
class MotionQueueOutput : public Fl_Multiline_Output {
 public:
  MotionQueueOutput(int x, int y, int w, int h, const char* label);
  int handle(int event) override;

  // Their labels, each followed by a space; when they run past the field,
  // the latest show, on its last line.
  void showClips(const std::vector<Clip>& clips);
};

}  // namespace kinemora
