// Kinemora: compose animations of a stick figure from canned motions and
// save them as BVH. One window, FLTK's event loop; a composition named on
// the command line (kinemora FILE.kinemora) is opened at start.
#include <FL/Fl.H>

#include "app/callbacks.h"
#include "app/startup.h"
#include "export/replacing_file.h"

int main(int argc, char** argv) {
  // A save cut short by a signal leaves no temporary file behind.
  kinemora::removeTemporaryFileOnSignals();
  kinemora::buildMainWindow()->show();
  if (argc > 1) kinemora::openComposition(argv[1]);
  return Fl::run();
}
