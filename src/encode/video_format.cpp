#include "encode/video_format.h"

#include "export/file_format.h"

namespace kinemora {

namespace {

struct VideoFormatEntry {
  VideoFormat format;
  std::string_view word;
  std::string_view extension;
  std::string_view name;
  bool evenSides;
};

constexpr VideoFormatEntry kVideoFormats[] = {
    // format             word   extension  name         even sides
    {VideoFormat::Mp4, "mp4", ".mp4",    "MP4 video", true},
    {VideoFormat::Gif, "gif", ".gif",    "GIF",       false},
};

const VideoFormatEntry& entryOf(VideoFormat format) {
  for (const VideoFormatEntry& entry : kVideoFormats) {
    if (entry.format == format) return entry;
  }
  return kVideoFormats[0];
}

int roundedUpToEven(int n) { return n + (n & 1); }

}  // namespace

std::optional<VideoFormat> videoFormatOfPath(std::string_view path) {
  for (const VideoFormatEntry& entry : kVideoFormats) {
    if (endsWithIgnoringCase(path, entry.extension)) return entry.format;
  }
  return std::nullopt;
}

std::optional<VideoFormat> videoFormatNamed(std::string_view word) {
  for (const VideoFormatEntry& entry : kVideoFormats) {
    if (equalIgnoringCase(word, entry.word)) return entry.format;
  }
  return std::nullopt;
}

std::string videoFormatWords() {
  std::string words;
  for (const VideoFormatEntry& entry : kVideoFormats) {
    if (!words.empty()) words += ' ';
    words += entry.word;
  }
  return words;
}

std::string_view videoFormatName(VideoFormat format) { return entryOf(format).name; }

PictureSize videoSize(VideoFormat format, PictureSize size) {
  if (!entryOf(format).evenSides) return size;
  return {roundedUpToEven(size.width), roundedUpToEven(size.height)};
}

}  // namespace kinemora
