#include "compose/composition_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "export/save_target.h"
#include "export/shown_text.h"

namespace kinemora {

namespace {

constexpr std::size_t kLineWidth = 72;
// Some editors start a UTF-8 file with one; it says nothing here.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A byte no text file holds: NUL and the control characters other than
// white space.
bool isBinary(unsigned char c) {
  return (c < 0x20 && !isSpace(static_cast<char>(c))) || c == 0x7f;
}

std::string lineMessage(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

std::string_view withoutByteOrderMark(std::string_view text) {
  return text.substr(0, kByteOrderMark.size()) == kByteOrderMark
             ? text.substr(kByteOrderMark.size())
             : text;
}

bool isNumber(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
}

// The header ends in the version; a file of another version is told apart
// from one that is no composition at all.
bool checkHeader(std::string_view first, std::string* error) {
  while (!first.empty() && isSpace(first.back())) first.remove_suffix(1);
  if (first == kCompositionHeader) return true;
  const std::size_t versionAt = kCompositionHeader.rfind(' ') + 1;
  if (first.substr(0, versionAt) == kCompositionHeader.substr(0, versionAt) &&
      isNumber(first.substr(versionAt))) {
    *error = "composition version " + shownText(first.substr(versionAt)) +
             " is not supported (this program reads version " +
             std::string(kCompositionHeader.substr(versionAt)) + ")";
    return false;
  }
  *error = lineMessage(1, "not a Kinemora composition (the first line must be '" +
                              std::string(kCompositionHeader) + "')");
  return false;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::string withCompositionExtension(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  const bool named = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return named ? path : path + std::string(kCompositionExtension);
}

bool isCompositionPath(std::string_view path) {
  const std::string_view extension = kCompositionExtension;
  if (path.size() <= extension.size()) return false;
  const std::string_view end = path.substr(path.size() - extension.size());
  for (std::size_t i = 0; i < extension.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != extension[i]) return false;
  }
  return path[path.size() - extension.size() - 1] != '/';
}

std::string compositionText(const std::vector<Action>& actions) {
  std::string text(kCompositionHeader);
  text += '\n';
  std::size_t column = 0;
  for (const Action& action : actions) {
    const std::string_view word = wordOf(action);
    if (column > 0 && column + 1 + word.size() > kLineWidth) {
      text += '\n';
      column = 0;
    } else if (column > 0) {
      text += ' ';
      ++column;
    }
    text += word;
    column += word.size();
  }
  if (column > 0) text += '\n';
  return text;
}

bool parseComposition(std::string_view text, std::vector<Action>* actions, std::string* error) {
  actions->clear();
  text = withoutByteOrderMark(text);
  const std::size_t firstEnd = std::min(text.find('\n'), text.size());
  int line = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') ++line;
    if (isBinary(static_cast<unsigned char>(text[i]))) {
      char byte[8];
      std::snprintf(byte, sizeof byte, "0x%02x", static_cast<unsigned char>(text[i]));
      *error = lineMessage(line, std::string("not text (a byte ") + byte + ")");
      return false;
    }
  }
  if (!checkHeader(text.substr(0, firstEnd), error)) return false;

  line = 1;
  std::size_t i = firstEnd;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (isSpace(c)) {
      ++i;
    } else if (c == '#') {
      while (i < text.size() && text[i] != '\n') ++i;
    } else {
      const std::size_t start = i;
      while (i < text.size() && !isSpace(text[i]) && text[i] != '#') ++i;
      const std::string_view word = text.substr(start, i - start);
      const std::optional<Action> action = actionNamed(word);
      if (!action) {
        *error = lineMessage(line, "unknown word '" + shownText(word) + "'");
        return false;
      }
      actions->push_back(*action);
    }
  }
  return true;
}

bool readComposition(const std::string& path, std::vector<Action>* actions, std::string* error) {
  const bool standardInput = path == "-";
  const std::string name = standardInput ? "standard input" : "'" + shownText(path) + "'";
  std::unique_ptr<std::FILE, FileCloser> owned;
  std::FILE* in = stdin;
  if (!standardInput) {
    owned.reset(std::fopen(path.c_str(), "rb"));
    in = owned.get();
    if (!in) {
      *error = "cannot open " + name + ": " + std::strerror(errno);
      return false;
    }
  }
  // One byte past the limit tells a file that is too large.
  std::string text(kCompositionMaxBytes + 1, '\0');
  const std::size_t n = std::fread(text.data(), 1, text.size(), in);
  if (std::ferror(in)) {
    *error = "cannot read " + name + ": " + std::strerror(errno ? errno : EIO);
    return false;
  }
  if (n > kCompositionMaxBytes) {
    *error = name + " is too large for a composition (more than " +
             std::to_string(kCompositionMaxBytes >> 20) + " MiB)";
    return false;
  }
  text.resize(n);
  if (withoutByteOrderMark(text).empty()) {
    *error = name + " is empty, not a composition";
    return false;
  }
  if (!parseComposition(text, actions, error)) {
    *error = name + ": " + *error;
    return false;
  }
  return true;
}

SaveResult writeComposition(const std::string& path, const std::vector<Action>& actions) {
  return save(path, [text = compositionText(actions)](Output& out, std::string* reason) {
    out.text(text);
    if (out.flush()) return true;
    *reason = std::strerror(out.error());
    return false;
  });
}

}  // namespace kinemora
