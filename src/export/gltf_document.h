#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "motion/joint_table.h"

namespace kinemora {

// Everything of a glTF file but the frames' data, which the writer streams
// after `head` without holding it: the buffer is
//   head | times (float per frame) | rotations (joint 0's x, y, z, w per
//   frame, then joint 1's, ... joint 19's)
// with its length known from the frame count.
struct GltfDocument {
  // The JSON text, compact. For a .gltf it holds the buffer's data URI
  // without its data: the base64 text goes at `dataAt`.
  std::string json;
  std::size_t dataAt = 0;
  // The frame-independent start of the buffer: inverse bind matrices and
  // the mesh, its length a multiple of four.
  std::vector<std::uint8_t> head;
  std::uint64_t bufferLength = 0;  // head and the frames' data, in bytes
};

// Bytes of one key's rotation in the buffer: x, y, z, w as floats.
constexpr std::uint64_t kGltfRotationBytes = 4 * sizeof(float);

// The time of a frame's key, in seconds: frame / 30 as a float.
float gltfFrameTime(int frame);

// The document for an animation of frameCount frames; with `embedded`, the
// .gltf form whose buffer is a data URI.
GltfDocument gltfDocument(int frameCount, bool embedded);

}  // namespace kinemora
