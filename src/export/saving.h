#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "export/save_result.h"
#include "figure/frame_store.h"

namespace kinemora {

// What every writer of a file shares: the file replaced only when all went
// well, and the same messages; for an animation also the frame count checked
// against the stored frames.

// Writes a whole file to an open stream; false with *reason set when the
// stream failed or the content cannot be written.
using FileContent = std::function<bool(std::FILE* stream, std::string* reason)>;

// The content to the file at path, through a ReplacingFile: on failure the
// file is left as it was.
SaveResult saveToPath(const char* path, const FileContent& content);
// The content to an open stream (standard output, say).
SaveResult saveToStream(std::FILE* stream, const FileContent& content);

// Frames 0..frameCount-1 to the file at path, through a ReplacingFile: on
// failure the file is left as it was.
SaveResult saveToPath(const FrameStore& frames, const char* path, int frameCount,
                      const FileContent& content);
// The same to an open stream (standard output, say).
SaveResult saveToStream(const FrameStore& frames, std::FILE* stream, int frameCount,
                        const FileContent& content);

}  // namespace kinemora
