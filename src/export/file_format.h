#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "export/save_result.h"
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

// Writes frames 0..frameCount-1 in the format. The file at path is replaced
// only when everything was written; on failure it is left as it was.
SaveResult writeAnimation(const FrameStore& frames, const char* path, int frameCount,
                          FileFormat format);
// The same to an open stream.
SaveResult writeAnimation(const FrameStore& frames, std::FILE* out, int frameCount,
                          FileFormat format);

}  // namespace kinemora
