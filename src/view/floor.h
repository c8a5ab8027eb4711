#pragma once

namespace kinemora {

// The checkerboard floor in the plane Y = 0: 60 x 60 tiles from -500 on,
// about 1000 x 1000 units centred on the origin.
constexpr int kFloorTiles = 60;
constexpr float kFloorStart = -500.0f;
constexpr float kFloorStep = 16.666666f;  // the float nearest 50/3

struct Colour {
  float r;
  float g;
  float b;
};
constexpr Colour kFloorLight = {0.7f, 0.7f, 0.7f};  // tiles with i + j odd
constexpr Colour kFloorDark = {0.3f, 0.3f, 0.7f};   // i + j even: the corner tile

// The tiles as one batch of quads, i along X outside, j along Z inside.
// Coordinates grow by repeated single-precision addition of the step.
void emitFloorQuads();

}  // namespace kinemora
