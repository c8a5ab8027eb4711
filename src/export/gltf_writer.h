#pragma once

#include <memory>

#include "export/animation_writer.h"
#include "export/output.h"

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

// The buffer keeps each joint's rotations together, so frames that come in
// blocks are placed in a scratch file first; frames given all at once go
// straight out.
std::unique_ptr<AnimationWriter> gltfWriter(Output& out, GltfForm form);

}  // namespace kinemora
