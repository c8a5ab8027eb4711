#include "view/clear_view.h"

#include <GL/gl.h>

namespace kinemora {

void clearView() {
  glClearColor(kBackground.r, kBackground.g, kBackground.b, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

}  // namespace kinemora
