#pragma once

#include <cstdint>
#include <vector>

#include "encode/picture.h"

namespace kinemora {

// The colours of a picture stored by index, as a GIF stores it. A colour of
// the palette keeps its index exactly; any other colour gets the nearest
// entry's (the least sum of squared channel differences), so a picture
// drawn in the palette's colours alone comes back exactly.
class Palette {
 public:
  // 1 to 256 colours.
  explicit Palette(std::vector<Rgb> colours) : colours_(std::move(colours)) {}

  const std::vector<Rgb>& colours() const { return colours_; }
  // Each pixel's index, rows from the top, into *indices.
  void index(const Picture& picture, std::vector<std::uint8_t>* indices) const;

 private:
  std::uint8_t nearest(const std::uint8_t* pixel) const;

  std::vector<Rgb> colours_;
};

}  // namespace kinemora
