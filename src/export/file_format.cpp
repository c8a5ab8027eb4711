#include "export/file_format.h"

#include <cctype>

#include "export/bvh_writer.h"
#include "export/gltf_writer.h"

namespace kinemora {

namespace {

struct FormatEntry {
  FileFormat format;
  std::string_view word;
  std::string_view extension;
};

constexpr FormatEntry kFormats[] = {
    // format            word    extension
    {FileFormat::Bvh,  "bvh",  ".bvh"},
    {FileFormat::Glb,  "glb",  ".glb"},
    {FileFormat::Gltf, "gltf", ".gltf"},
};

// Whether s is `lower` in any case; `lower` is in lower case.
bool equalIgnoringCase(std::string_view s, std::string_view lower) {
  if (s.size() != lower.size()) return false;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(s[i])) != lower[i]) return false;
  }
  return true;
}

bool endsWithIgnoringCase(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && equalIgnoringCase(s.substr(s.size() - end.size()), end);
}

template <class Path>
SaveResult write(const FrameStore& frames, Path target, int frameCount, FileFormat format) {
  switch (format) {
    case FileFormat::Glb: return writeGltf(frames, target, frameCount, GltfForm::Binary);
    case FileFormat::Gltf: return writeGltf(frames, target, frameCount, GltfForm::Text);
    case FileFormat::Bvh: break;
  }
  return writeBvh(frames, target, frameCount);
}

}  // namespace

FileFormat formatOfPath(std::string_view path) {
  for (const FormatEntry& entry : kFormats) {
    if (endsWithIgnoringCase(path, entry.extension)) return entry.format;
  }
  return FileFormat::Bvh;
}

std::optional<FileFormat> formatNamed(std::string_view word) {
  for (const FormatEntry& entry : kFormats) {
    if (equalIgnoringCase(word, entry.word)) return entry.format;
  }
  return std::nullopt;
}

std::string formatWords() {
  std::string words;
  for (const FormatEntry& entry : kFormats) {
    if (!words.empty()) words += ' ';
    words += entry.word;
  }
  return words;
}

SaveResult writeAnimation(const FrameStore& frames, const char* path, int frameCount,
                          FileFormat format) {
  return write(frames, path, frameCount, format);
}

SaveResult writeAnimation(const FrameStore& frames, std::FILE* out, int frameCount,
                          FileFormat format) {
  return write(frames, out, frameCount, format);
}

}  // namespace kinemora
