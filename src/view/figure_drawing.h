#pragma once

#include <vector>

#include "figure/frame_store.h"
#include "view/camera.h"
#include "view/floor.h"

namespace kinemora {

// The OpenGL drawing of the figure in a pose: each bone a red ellipsoid from
// the parent's position to the joint's, each leaf joint a green ball
// (figure/figure_look.h). Needs a current context.
void drawFigure(const Pose& pose);

// A whole picture: cleared to black, seen through the camera, the floor and
// the figure in the pose. The window's view and any other drawing of the
// scene draw through here, so they show the same.
void drawScene(const Camera& camera, const Pose& pose);

// Every colour drawScene paints: the background, the floor's two and the
// figure's two. Each primitive has one, so a picture holds these alone.
std::vector<Colour> sceneColours();

}  // namespace kinemora
