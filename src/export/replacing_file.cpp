#include "export/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "export/shown_text.h"

namespace kinemora {

namespace {

// The system's own limit on links followed in one lookup (Linux's).
constexpr int kMaxLinkHops = 40;

// The temporary file of the save in progress, for the signal handler: only
// plain data, written with the signals blocked.
struct PendingTemporary {
  volatile std::sig_atomic_t present = 0;
  int directory = -1;
  char name[32] = {};
};
PendingTemporary pending;

// The signals that end the process unless handled, sent to stop it; the
// real-time ones join them in cleanupSignals. Not here: SIGXFSZ, ignored so
// that a size limit is a write error, and the signals of a fault (SIGSEGV,
// SIGABRT, SIGBUS), after which nothing more should run.
constexpr int kCleanupSignals[] = {
    SIGINT,  SIGTERM,   SIGHUP,  SIGQUIT,  // a user, a shell, a closed terminal
    SIGUSR1, SIGUSR2,                      // another program
    SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU,  // timers and the CPU time limit
    SIGPIPE, SIGPOLL,   SIGPWR,            // a reader gone, I/O, power failing
};

sigset_t cleanupSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kCleanupSignals) sigaddset(&set, s);
  for (int s = SIGRTMIN; s <= SIGRTMAX; ++s) sigaddset(&set, s);
  return set;
}

void removePendingAndDie(int signal) {
  if (pending.present) ::unlinkat(pending.directory, pending.name, 0);
  // The handler was reset on entry (SA_RESETHAND): this ends the process
  // once the handler returns, with the status the signal gives.
  ::raise(signal);
}

// Blocks the cleanup signals for one scope, so that the record of the
// temporary file and the file itself never disagree when one arrives.
class CleanupSignalsBlocked {
 public:
  CleanupSignalsBlocked() {
    const sigset_t set = cleanupSignals();
    ::sigprocmask(SIG_BLOCK, &set, &previous_);
  }
  ~CleanupSignalsBlocked() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }

 private:
  sigset_t previous_;
};

std::string failure(const std::string& path, const std::string& reason) {
  return "cannot save '" + shownText(path) + "': " + reason;
}

std::string failure(const std::string& path, int error) {
  return failure(path, std::strerror(error));
}

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permissions a plain fopen would have given a new file.
mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The descriptor that /dev/stdout, /dev/fd/N and the like stand for, or -1.
// Reopening such a path fails for a socket, and for a pipe the link names
// no path ("pipe:[N]"), so these are written through the descriptor.
int descriptorNamedBy(const std::string& path) {
  if (path == "/dev/stdout") return STDOUT_FILENO;
  if (path == "/dev/stderr") return STDERR_FILENO;
  for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    const std::size_t n = std::strlen(prefix);
    if (path.compare(0, n, prefix) != 0 || path.size() == n) continue;
    char* end = nullptr;
    const long fd = std::strtol(path.c_str() + n, &end, 10);
    if (*end == '\0' && fd >= 0 && fd <= INT_MAX) return static_cast<int>(fd);
  }
  return -1;
}

// ".kinemora-" and six letters or digits, from the clock and the process:
// never from the program's own random stream, which the files depend on.
void temporaryName(unsigned attempt, char (&name)[32]) {
  static const char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  unsigned long long bits =
      static_cast<unsigned long long>(
          std::chrono::steady_clock::now().time_since_epoch().count()) *
          0x9E3779B97F4A7C15ull ^
      (static_cast<unsigned long long>(::getpid()) << 20) ^ attempt;
  std::strcpy(name, ".kinemora-");
  char* p = name + std::strlen(name);
  for (int i = 0; i < 6; ++i, bits /= 62) *p++ = kLetters[bits % 62];
  *p = '\0';
}

}  // namespace

bool followLinks(std::string* path) {
  for (int hops = 0; hops <= kMaxLinkHops; ++hops) {
    struct stat info;
    if (::lstat(path->c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    char link[PATH_MAX];
    const ssize_t n = ::readlink(path->c_str(), link, sizeof link - 1);
    if (n < 0) return true;
    link[n] = '\0';
    *path = link[0] == '/' ? std::string(link) : directoryOf(*path) + "/" + link;
  }
  errno = ELOOP;
  return false;
}

void removeTemporaryFileOnSignals() {
  struct sigaction action = {};
  action.sa_handler = removePendingAndDie;
  action.sa_flags = SA_RESETHAND;
  action.sa_mask = cleanupSignals();  // one clean-up at a time
  for (int s = 1; s < NSIG; ++s) {
    struct sigaction current;
    if (sigismember(&action.sa_mask, s) != 1 || ::sigaction(s, nullptr, &current) != 0 ||
        current.sa_handler != SIG_DFL) {
      continue;
    }
    ::sigaction(s, &action, nullptr);
  }
  std::signal(SIGXFSZ, SIG_IGN);
}

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::open(const std::string& path, std::string* error) {
  discard();
  path_ = path;
  target_ = path;

  struct stat info;
  if (::stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      *error = failure(path, EISDIR);
      return false;
    }
    if (!S_ISREG(info.st_mode)) return openInPlace(error);
    // A rename needs only the directory's permission; a file its owner made
    // read-only is refused as writing it in place would be.
    if (::access(path.c_str(), W_OK) != 0) {
      *error = failure(path, errno);
      return false;
    }
    // Replace what a link points at, not the link.
    if (!followLinks(&target_)) {
      *error = failure(path, errno);
      return false;
    }
    return openTemporary(info.st_mode & 07777, &info, error);
  }
  // Only a name that does not exist yet is made anew: a loop of links, a
  // component that is not a directory and the like are the system's refusal.
  if (errno != ENOENT) {
    *error = failure(path, errno);
    return false;
  }
  // A dangling link: create what it points at.
  if (!followLinks(&target_)) {
    *error = failure(path, errno);
    return false;
  }
  return openTemporary(newFileMode(), nullptr, error);
}

bool ReplacingFile::openInPlace(std::string* error) {
  const int named = descriptorNamedBy(path_);
  if (named >= 0) {
    const int fd = ::fcntl(named, F_DUPFD_CLOEXEC, 0);
    stream_ = fd >= 0 ? ::fdopen(fd, "w") : nullptr;
    if (!stream_ && fd >= 0) ::close(fd);
  } else {
    stream_ = std::fopen(path_.c_str(), "w");
  }
  if (!stream_) *error = failure(path_, errno);
  return stream_ != nullptr;
}

bool ReplacingFile::openTemporary(mode_t mode, const struct stat* existing,
                                  std::string* error) {
  const std::string directory = directoryOf(target_);
  directory_ = ::open(directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (directory_ < 0) {
    *error = failure(path_, errno);
    return false;
  }
  int fd = -1;
  {
    CleanupSignalsBlocked blocked;
    char name[32];
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
      temporaryName(attempt, name);
      fd = ::openat(directory_, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (fd < 0 && errno != EEXIST) break;
    }
    if (fd >= 0) {
      temporary_ = name;
      pending.directory = directory_;
      std::strcpy(pending.name, name);
      pending.present = 1;
    }
  }
  if (fd < 0) {
    const int reason = errno;
    discard();
    *error = failure(path_, "cannot create a temporary file in '" + shownText(directory) +
                                "': " + std::strerror(reason));
    return false;
  }
  // The new file takes the old one's owner where we may give it (as root);
  // otherwise it is ours, as any replaced file would be.
  if (existing && ::geteuid() == 0) (void)!::fchown(fd, existing->st_uid, existing->st_gid);
  ::fchmod(fd, mode);
  stream_ = ::fdopen(fd, "w");
  if (!stream_) {
    const int reason = errno;
    ::close(fd);
    discard();
    *error = failure(path_, reason);
    return false;
  }
  return true;
}

bool ReplacingFile::commit(std::string* error) {
  if (!stream_) {
    *error = failure(path_, EBADF);
    return false;
  }
  const bool replacing = !temporary_.empty();
  int reason = 0;
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) reason = errno ? errno : EIO;
  if (reason == 0 && replacing && ::fsync(fileno(stream_)) != 0) reason = errno;
  if (std::fclose(stream_) != 0 && reason == 0) reason = errno ? errno : EIO;
  stream_ = nullptr;
  if (reason == 0 && replacing &&
      ::renameat(directory_, temporary_.c_str(), directory_, nameOf(target_).c_str()) != 0) {
    reason = errno;
  }
  if (reason != 0) {
    discard();
    *error = failure(path_, reason);
    return false;
  }
  temporary_.clear();  // renamed: nothing left to remove
  discard();
  return true;
}

void ReplacingFile::discard() {
  if (stream_) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (!temporary_.empty()) {
    ::unlinkat(directory_, temporary_.c_str(), 0);
    temporary_.clear();
  }
  pending.present = 0;
  if (directory_ >= 0) {
    ::close(directory_);
    directory_ = -1;
  }
}

}  // namespace kinemora
