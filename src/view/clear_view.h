#pragma once

#include "view/floor.h"

namespace kinemora {

// What is behind the scene where nothing is drawn.
constexpr Colour kBackground = {0.0f, 0.0f, 0.0f};

// The background, and the colour, depth and stencil buffers cleared
// together.
void clearView();

}  // namespace kinemora
