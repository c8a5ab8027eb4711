#include "app/message_box.h"

#include <FL/fl_ask.H>

#include <algorithm>
#include <vector>

namespace kinemora {

namespace {

bool startsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; }

// Where the first kMessageLineMax characters of `line` end.
std::size_t fittingEnd(std::string_view line) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (startsCharacter(line[at]) && characters++ == kMessageLineMax) return at;
  }
  return line.size();
}

// `line` in pieces that fit, added to `lines`; it stops once there are more
// than a box shows, so a text of any length costs the same.
void breakLine(std::string_view line, std::vector<std::string>* lines) {
  while (lines->size() <= kMessageLinesMax) {
    const std::size_t end = fittingEnd(line);
    if (end == line.size()) {
      lines->emplace_back(line);
      return;
    }
    const std::size_t space = line.rfind(' ', end);
    const bool atSpace = space != std::string_view::npos && space > 0;
    lines->emplace_back(line.substr(0, atSpace ? space : end));
    line.remove_prefix(atSpace ? space + 1 : end);
  }
}

std::string withAtsDoubled(const std::string& line) {
  std::string out;
  for (const char c : line) {
    if (c == '@') out += '@';
    out += c;
  }
  return out;
}

}  // namespace

std::string fittedToScreen(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start <= text.size() && lines.size() <= kMessageLinesMax;) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    breakLine(text.substr(start, end - start), &lines);
    start = end + 1;
  }
  if (lines.size() > kMessageLinesMax) {
    lines.resize(kMessageLinesMax - 1);
    lines.emplace_back("...");
  }
  std::string fitted;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    fitted += (i > 0 ? "\n" : "") + withAtsDoubled(lines[i]);
  }
  return fitted;
}

void tell(const std::string& text) { fl_alert("%s", fittedToScreen(text).c_str()); }

Answer askToSave(const std::string& question) {
  fl_message_title("Unsaved Changes");
  // FLTK 1.3 places the buttons right to left; the first answers Escape and
  // the box's close, the second is the one Return presses.
  switch (fl_choice("%s", "Cancel", "Save", "Don't Save", fittedToScreen(question).c_str())) {
    case 1: return Answer::Save;
    case 2: return Answer::DontSave;
    default: return Answer::Cancel;
  }
}

}  // namespace kinemora
