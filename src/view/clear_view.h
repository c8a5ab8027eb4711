#pragma once

namespace kinemora {

// Black, and the colour, depth and stencil buffers cleared together.
void clearView();

}  // namespace kinemora
