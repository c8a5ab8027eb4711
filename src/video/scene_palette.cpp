#include "video/scene_palette.h"

#include <cmath>

#include "figure/figure_look.h"
#include "view/clear_view.h"
#include "view/floor.h"

namespace kinemora {

namespace {

std::uint8_t byteOf(float channel) {
  return static_cast<std::uint8_t>(std::lround(static_cast<double>(channel) * 255.0));
}

template <typename C>
Rgb rgbOf(const C& c) {
  return {byteOf(c.r), byteOf(c.g), byteOf(c.b)};
}

}  // namespace

std::vector<Rgb> scenePalette() {
  return {rgbOf(kBackground), rgbOf(kFloorLight), rgbOf(kFloorDark), rgbOf(kBoneColour),
          rgbOf(kLeafColour)};
}

}  // namespace kinemora
