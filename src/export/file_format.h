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

// Whether `word` is `lower` (in lower case) in any case, and whether
// `path` ends with `extension` (in lower case) in any case: how every table
// of formats, this one and the videos', reads words and names.
bool equalIgnoringCase(std::string_view word, std::string_view lower);
bool endsWithIgnoringCase(std::string_view path, std::string_view extension);

// The format's writer, writing to `out`.
std::unique_ptr<AnimationWriter> animationWriter(FileFormat format, Output& out);

// Frames 0..frameCount-1 of `frames`, all at once, in the format; false with
// *error when the frames or the output fail.
bool writeAnimation(const FrameStore& frames, int frameCount, FileFormat format, Output& out,
                    std::string* error);

}  // namespace kinemora
