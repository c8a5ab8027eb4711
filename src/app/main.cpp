// Kinemora: compose animations of a stick figure from canned motions and
// save them as BVH. One window, FLTK's event loop.
#include <FL/Fl.H>

#include "app/startup.h"
#include "export/replacing_file.h"

int main(int, char**) {
  // A save cut short by a signal leaves no temporary file behind.
  kinemora::removeTemporaryFileOnSignals();
  kinemora::buildMainWindow()->show();
  return Fl::run();
}
