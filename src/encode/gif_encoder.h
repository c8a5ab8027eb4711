#pragma once

#include <memory>
#include <string>
#include <vector>

#include "encode/picture.h"
#include "encode/picture_encoder.h"
#include "export/output.h"

namespace kinemora {

// An animated GIF through giflib, looping for ever (the NETSCAPE2.0
// extension): one global palette, each pixel as its nearest colour there
// (palette.h), pictures shown for 3, 3 and 4 hundredths of a second in turn,
// 30 a second on average. After the first, a picture stores only the
// rectangle where it differs from the one before. Nothing, with *error,
// when giflib cannot start.
std::unique_ptr<PictureEncoder> openGifEncoder(PictureSize size, const std::vector<Rgb>& palette,
                                               Output& out, std::string* error);

}  // namespace kinemora
