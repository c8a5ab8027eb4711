#include "cli/output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string_view>

#include "compose/composition_file.h"
#include "export/replacing_file.h"
#include "export/shown_text.h"

namespace kinemora {

namespace {

bool startsWith(const std::string& text, std::string_view start) {
  return text.compare(0, start.size(), start) == 0;
}

bool namesStandardOutput(const std::string& path) {
  return path == "-" || path == "/dev/stdout" || path == "/dev/fd/1" ||
         path == "/proc/self/fd/1";
}

// "standard output" or the name quoted, for messages.
std::string shownTarget(const std::string& path) {
  return path == "-" ? "standard output" : "'" + shownText(path) + "'";
}

// The file the path names, links followed; for "-", standard output's.
bool fileOf(const std::string& path, struct stat* info) {
  return path == "-" ? ::fstat(STDOUT_FILENO, info) == 0 : ::stat(path.c_str(), info) == 0;
}

// Where a file not made yet will be: links followed, and its folder as the
// system names it, so that "a", "./a" and "../here/a" come out the same.
std::string placeOf(std::string path) {
  followLinks(&path);  // a loop of links fails the save later, with its message
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  char resolved[PATH_MAX];
  if (!::realpath(folder.c_str(), resolved)) return path;
  return std::string(resolved) + "/" + path.substr(slash + 1);
}

// Whether two names end at one file: the same file where both exist (links
// and hard links included), the same place where neither does yet.
bool sameFile(const std::string& a, const std::string& b) {
  if (namesStandardOutput(a) && namesStandardOutput(b)) return true;
  struct stat infoA, infoB;
  const bool aExists = fileOf(a, &infoA), bExists = fileOf(b, &infoB);
  if (aExists && bExists) return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
  return !aExists && !bExists && placeOf(a) == placeOf(b);
}

bool isTerminal(const std::string& path) {
  if (path == "-") return ::isatty(STDOUT_FILENO);
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return false;
  const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool terminal = ::isatty(fd);
  ::close(fd);
  return terminal;
}

// By the name given or the one its links lead to.
bool namesComposition(const std::string& path) {
  std::string target = path;
  return isCompositionPath(path) || (followLinks(&target) && isCompositionPath(target));
}

}  // namespace

std::string compositionTarget(const std::string& path) {
  struct stat info;
  const bool special = path == "-" || startsWith(path, "/dev/") || startsWith(path, "/proc/") ||
                       (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode));
  return special ? path : withCompositionExtension(path);
}

std::optional<std::string> targetRefusal(const std::string& output, std::string_view binary,
                                         const std::string& composition) {
  if (output.empty()) return std::nullopt;
  if (output != "-" && namesComposition(output)) {
    return "'" + shownText(output) +
           "' is a composition (.kinemora), and the animation would replace it; save the "
           "composition with --save-composition, or give the animation another name";
  }
  if (!composition.empty() && sameFile(output, composition)) {
    if (namesStandardOutput(output) && namesStandardOutput(composition)) {
      return "the animation and the composition cannot both go to standard output";
    }
    return "the animation (" + shownTarget(output) + ") and the composition (" +
           shownTarget(composition) + ") cannot be written to the same file";
  }
  if (!binary.empty() && isTerminal(output)) {
    return std::string(binary) +
           " is not written to a terminal; name a file with -o, or redirect standard output";
  }
  return std::nullopt;
}

}  // namespace kinemora
