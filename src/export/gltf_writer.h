#pragma once

#include <cstdio>

#include "export/save_result.h"
#include "figure/frame_store.h"

namespace kinemora {

// The glTF 2.0 file: a node per joint (named, at its rest offset; the root
// 60 units above the floor), a skin over them, the stick figure as a mesh
// rigidly skinned to it in the figure's look (figure/figure_look.h) with
// unlit materials in its colours, and one animation holding a rotation
// channel per joint, a key per frame at frame/30 s, LINEAR. A reader poses
// each joint as the view draws it: parent * translate(offset) * rotate(q).
// With no frames the figure stands at rest and there is no animation.
enum class GltfForm {
  Binary,  // .glb: the JSON and the buffer in one binary container
  Text,    // .gltf: JSON alone, the buffer inside it as a base64 data URI
};

// Past this many frames single-precision key times (2^19 s and more) could
// no longer tell one frame from the next.
constexpr int kMaxGltfFrames = (1 << 19) * 30;

// Writes frames 0..frameCount-1. The file at path is replaced only when
// everything was written; on failure it is left as it was.
SaveResult writeGltf(const FrameStore& frames, const char* path, int frameCount, GltfForm form);
// The same to an open stream.
SaveResult writeGltf(const FrameStore& frames, std::FILE* out, int frameCount, GltfForm form);

}  // namespace kinemora
