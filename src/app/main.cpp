// Kinemora: compose animations of a stick figure from canned motions and
// save them as BVH. One window, FLTK's event loop.
#include <FL/Fl.H>

#include "app/startup.h"

int main(int, char**) {
  kinemora::buildMainWindow()->show();
  return Fl::run();
}
