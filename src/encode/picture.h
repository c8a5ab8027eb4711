#pragma once

#include <cstdint>
#include <vector>

namespace kinemora {

// A picture's size in pixels.
struct PictureSize {
  int width = 0;
  int height = 0;
};

// A colour as a picture stores it: a byte per channel.
struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
};

// One picture of a video as the encoders take it: four bytes a pixel (red,
// green, blue, and a fourth that the encoders pass over), rows from the top.
struct Picture {
  PictureSize size;
  std::vector<std::uint8_t> rgba;
};

}  // namespace kinemora
