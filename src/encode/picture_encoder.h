#pragma once

#include <string>

#include "encode/picture.h"

namespace kinemora {

// A video written picture by picture to an Output: each picture is encoded
// as it is added and may be let go of then, so memory does not grow with
// the video's length. All pictures have the size the encoder was opened
// for.
class PictureEncoder {
 public:
  virtual ~PictureEncoder() = default;

  // The next picture; false with *error when it cannot be encoded or written.
  virtual bool add(const Picture& picture, std::string* error) = 0;
  // What comes after the last picture, everything handed to the output.
  virtual bool finish(std::string* error) = 0;
};

}  // namespace kinemora
