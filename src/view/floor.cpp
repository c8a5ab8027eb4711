#include "view/floor.h"

#include <GL/gl.h>

namespace kinemora {

void emitFloorQuads() {
  glBegin(GL_QUADS);
  float x0 = kFloorStart;
  for (int i = 0; i < kFloorTiles; ++i) {
    const float x1 = x0 + kFloorStep;
    float z0 = kFloorStart;
    for (int j = 0; j < kFloorTiles; ++j) {
      const float z1 = z0 + kFloorStep;
      const Colour& c = (i + j) % 2 != 0 ? kFloorLight : kFloorDark;
      glColor3f(c.r, c.g, c.b);
      glVertex3f(x0, 0.0f, z0);
      glVertex3f(x0, 0.0f, z1);
      glVertex3f(x1, 0.0f, z1);
      glVertex3f(x1, 0.0f, z0);
      z0 = z1;
    }
    x0 = x1;
  }
  glEnd();
}

}  // namespace kinemora
