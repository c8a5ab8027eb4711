#pragma once

// Where the view's camera puts a world point on the screen, computed here
// from the camera's definition (perspective 90 degrees, aspect 1, near 1;
// look-at from the eye to (1, 1, -1) with +Y up; an optional turn about the
// eye's vertical axis applied in eye space), independently of OpenGL and GLU.

namespace kinemora::test {

struct World {
  double x, y, z;
};

struct Screen {
  double x, y;  // window coordinates, origin at the bottom left
  bool visible;
};

struct ViewSetup {
  World eye{0, 50, -175};
  double yawDegrees = 0;  // turn about the eye's vertical axis
  int width = 690;
  int height = 550;
};

Screen project(const World& p, const ViewSetup& setup = {});

}  // namespace kinemora::test
