#pragma once

#include <vector>

#include "encode/picture.h"

namespace kinemora {

// Every colour a drawn scene holds, as a frame buffer of 8 bits a channel
// stores it (the nearest of its 256 steps): the background, the floor's two
// and the figure's two. A GIF with this palette keeps the scene exactly.
std::vector<Rgb> scenePalette();

}  // namespace kinemora
