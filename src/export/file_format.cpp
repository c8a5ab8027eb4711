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

}  // namespace

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

std::unique_ptr<AnimationWriter> animationWriter(FileFormat format, Output& out) {
  switch (format) {
    case FileFormat::Glb: return gltfWriter(out, GltfForm::Binary);
    case FileFormat::Gltf: return gltfWriter(out, GltfForm::Text);
    case FileFormat::Bvh: break;
  }
  return bvhWriter(out);
}

bool writeAnimation(const FrameStore& frames, int frameCount, FileFormat format, Output& out,
                    std::string* error) {
  if (frameCount < 0 || frameCount > frames.count() || frames.firstHeld() > 0) {
    *error = "frame count " + std::to_string(frameCount) + " is outside the " +
             std::to_string(frames.count()) + " stored frames";
    return false;
  }
  const std::unique_ptr<AnimationWriter> writer = animationWriter(format, out);
  return writer->begin(frameCount, error) && (frameCount == 0 || writer->add(frames, 0, frameCount, error)) &&
         writer->finish(error);
}

}  // namespace kinemora
