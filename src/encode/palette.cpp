#include "encode/palette.h"

#include <cstring>

namespace kinemora {

namespace {

int squared(int d) { return d * d; }

}  // namespace

std::uint8_t Palette::nearest(const std::uint8_t* pixel) const {
  std::size_t best = 0;
  int bestDistance = 1 << 30;
  for (std::size_t i = 0; i < colours_.size() && bestDistance > 0; ++i) {
    const Rgb& c = colours_[i];
    const int distance =
        squared(c.r - pixel[0]) + squared(c.g - pixel[1]) + squared(c.b - pixel[2]);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<std::uint8_t>(best);
}

void Palette::index(const Picture& picture, std::vector<std::uint8_t>* indices) const {
  const std::size_t pixels = static_cast<std::size_t>(picture.size.width) * picture.size.height;
  indices->resize(pixels);
  // A drawn scene is flat: most pixels repeat the one before.
  const std::uint8_t* last = nullptr;
  std::uint8_t lastIndex = 0;
  for (std::size_t i = 0; i < pixels; ++i) {
    const std::uint8_t* pixel = &picture.rgba[i * 4];
    if (!last || std::memcmp(pixel, last, 3) != 0) {
      last = pixel;
      lastIndex = nearest(pixel);
    }
    (*indices)[i] = lastIndex;
  }
}

}  // namespace kinemora
