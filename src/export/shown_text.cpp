#include "export/shown_text.h"

#include <cstdio>

namespace kinemora {

namespace {

constexpr std::string_view kCutMark = "...";

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

// The length of the character that starts at text[at]: a UTF-8 lead byte and
// its continuation bytes, or one byte.
std::size_t characterAt(std::string_view text, std::size_t at) {
  std::size_t end = at + 1;
  while (end < text.size() && isContinuationByte(text[end])) ++end;
  return end - at;
}

// Where the character that ends at text[end - 1] starts.
std::size_t characterBefore(std::string_view text, std::size_t end) {
  std::size_t at = end - 1;
  while (at > 0 && isContinuationByte(text[at])) --at;
  return at;
}

// How many characters a character of the text takes once printable.
std::size_t shownWidth(std::string_view character) {
  const auto byte = static_cast<unsigned char>(character[0]);
  if (byte == '\\') return 2;
  if (byte < 0x20 || byte == 0x7f) return 4;
  return 1;
}

}  // namespace

std::string printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out;
}

std::string shownText(std::string_view text) {
  // Walks only as far as a message shows: a text of any length costs the
  // same.
  std::size_t width = 0, at = 0;
  while (at < text.size() && width <= kShownTextMax) {
    const std::size_t n = characterAt(text, at);
    width += shownWidth(text.substr(at, n));
    at += n;
  }
  if (width <= kShownTextMax) return printable(text);

  const std::size_t keep = kShownTextMax - kCutMark.size();
  const std::size_t headWidth = (keep + 1) / 2, tailWidth = keep / 2;
  std::size_t headEnd = 0;
  for (width = 0; headEnd < text.size();) {
    const std::size_t n = characterAt(text, headEnd);
    const std::size_t w = shownWidth(text.substr(headEnd, n));
    if (width + w > headWidth) break;
    width += w;
    headEnd += n;
  }
  std::size_t tailStart = text.size();
  for (width = 0; tailStart > headEnd;) {
    const std::size_t start = characterBefore(text, tailStart);
    const std::size_t w = shownWidth(text.substr(start, tailStart - start));
    if (width + w > tailWidth) break;
    width += w;
    tailStart = start;
  }
  return printable(text.substr(0, headEnd)) + std::string(kCutMark) +
         printable(text.substr(tailStart));
}

}  // namespace kinemora
