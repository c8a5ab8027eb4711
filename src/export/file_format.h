#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "export/animation_writer.h"
#include "export/output.h"
#include "figure/frame_store.h"

namespace kinemora {

// The forms an animation file can take, and which one a name asks for. The
// window and kinemora-compose both choose through here.
enum class FileFormat {
  Bvh,   // bvh_writer.h
  Glb,   // gltf_writer.h, binary
  Gltf,  // gltf_writer.h, text with the buffer embedded
};

// By the path's extension, in any case: ".glb" and ".gltf" name the glTF
// forms; anything else, no extension included, is BVH.
FileFormat formatOfPath(std::string_view path);
// By a format word, in any case: "bvh", "glb" or "gltf"; nothing for any
// other word.
std::optional<FileFormat> formatNamed(std::string_view word);
// The format words, for help and messages: "bvh glb gltf".
std::string formatWords();

// The format's writer, writing to `out`.
std::unique_ptr<AnimationWriter> animationWriter(FileFormat format, Output& out);

// Frames 0..frameCount-1 of `frames`, all at once, in the format; false with
// *error when the frames or the output fail.
bool writeAnimation(const FrameStore& frames, int frameCount, FileFormat format, Output& out,
                    std::string* error);

}  // namespace kinemora
