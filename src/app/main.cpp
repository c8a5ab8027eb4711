// Kinemora: compose animations of a stick figure from canned motions and
// save them as BVH. One window, FLTK's event loop; a composition named on
// the command line (kinemora FILE.kinemora) is opened at start.
#include <FL/Fl.H>

#include "app/application.h"
#include "app/startup.h"
#include "export/replacing_file.h"

int main(int argc, char** argv) {
  // A save cut short by a signal leaves no temporary file behind.
  kinemora::removeTemporaryFileOnSignals();
  kinemora::Application app;
  kinemora::buildMainWindow(app)->show();
  if (argc > 1) app.openComposition(argv[1]);
  return Fl::run();
}
