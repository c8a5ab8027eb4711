#include "export/saving.h"

#include "export/replacing_file.h"
#include "export/shown_text.h"

namespace kinemora {

namespace {

bool frameCountInRange(const FrameStore& frames, int frameCount, std::string* error) {
  if (frameCount >= 0 && frameCount <= frames.count() && frames.firstHeld() == 0) return true;
  *error = "frame count " + std::to_string(frameCount) + " is outside the " +
           std::to_string(frames.count()) + " stored frames";
  return false;
}

SaveResult failure(std::string message) { return {false, std::move(message)}; }

SaveResult failure(const char* path, const std::string& reason) {
  return failure("cannot save '" + shownText(path) + "': " + reason);
}

}  // namespace

SaveResult saveToStream(std::FILE* stream, const FileContent& content) {
  std::string reason;
  if (!content(stream, &reason)) return failure("cannot write: " + reason);
  return {};
}

SaveResult saveToPath(const char* path, const FileContent& content) {
  std::string reason;
  ReplacingFile file;
  if (!file.open(path, &reason)) return failure(reason);
  if (!content(file.stream(), &reason)) {
    file.discard();
    return failure(path, reason);
  }
  if (!file.commit(&reason)) return failure(reason);
  return {};
}

SaveResult saveToStream(const FrameStore& frames, std::FILE* stream, int frameCount,
                        const FileContent& content) {
  std::string reason;
  if (!frameCountInRange(frames, frameCount, &reason)) return failure("cannot save: " + reason);
  return saveToStream(stream, content);
}

SaveResult saveToPath(const FrameStore& frames, const char* path, int frameCount,
                      const FileContent& content) {
  std::string reason;
  if (!frameCountInRange(frames, frameCount, &reason)) return failure(path, reason);
  return saveToPath(path, content);
}

}  // namespace kinemora
