#include "figure/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace kinemora {

namespace {

std::string failure(const char* what, const std::string& path, int error) {
  return std::string(what) + " '" + path + "': " + std::strerror(error);
}

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The permissions a plain fopen would have given a new file.
mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The path a chain of symbolic links ends at, whether or not that exists.
std::string followLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    char link[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), link, sizeof link - 1);
    if (n < 0) break;
    link[n] = '\0';
    path = link[0] == '/' ? std::string(link) : directoryOf(path) + "/" + link;
  }
  return path;
}

}  // namespace

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::open(const std::string& path, std::string* error) {
  discard();
  path_ = path;
  // Replace what a link points at, not the link, even when the link's
  // target does not exist yet.
  target_ = followLinks(path);
  mode_t mode = newFileMode();
  bool keepOwner = false;

  struct stat info;
  if (::stat(target_.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      *error = failure("cannot save", path, EISDIR);
      return false;
    }
    if (!S_ISREG(info.st_mode)) {
      stream_ = std::fopen(target_.c_str(), "w");
      if (!stream_) *error = failure("cannot save", path, errno);
      return stream_ != nullptr;
    }
    // A rename needs only the directory's permission; a file its owner made
    // read-only is refused as writing it in place would be.
    if (::access(target_.c_str(), W_OK) != 0) {
      *error = failure("cannot save", path, errno);
      return false;
    }
    mode = info.st_mode & 07777;
    keepOwner = true;
  }

  std::string pattern = directoryOf(target_) + "/.kinemora-save-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    *error = failure("cannot save", path, errno);
    return false;
  }
  temporary_ = pattern;
  // The new file takes the old one's owner where we may give it (as root);
  // otherwise it is ours, as any replaced file would be.
  if (keepOwner && ::geteuid() == 0) (void)!::fchown(fd, info.st_uid, info.st_gid);
  ::fchmod(fd, mode);
  stream_ = ::fdopen(fd, "w");
  if (!stream_) {
    const int reason = errno;
    ::close(fd);
    discard();
    *error = failure("cannot save", path, reason);
    return false;
  }
  return true;
}

bool ReplacingFile::commit(std::string* error) {
  if (!stream_) {
    *error = failure("cannot save", path_, EBADF);
    return false;
  }
  int reason = 0;
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) reason = errno ? errno : EIO;
  if (reason == 0 && !temporary_.empty() && ::fsync(fileno(stream_)) != 0) reason = errno;
  if (std::fclose(stream_) != 0 && reason == 0) reason = errno ? errno : EIO;
  stream_ = nullptr;
  if (reason == 0 && !temporary_.empty() &&
      ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    reason = errno;
  }
  if (reason != 0) {
    discard();
    *error = failure("cannot save", path_, reason);
    return false;
  }
  temporary_.clear();
  return true;
}

void ReplacingFile::discard() {
  if (stream_) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
}

}  // namespace kinemora
