// Saves the file system refuses: each gives an error naming the path and
// the system's reason, and leaves what was on disk exactly as it was, with
// no temporary file behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <set>
#include <string>

#include "compose/composer.h"
#include "composition.h"
#include "scratch_directory.h"

namespace kinemora {
namespace {

using reliability::entriesOf;
using reliability::readFile;
using reliability::ScratchDirectory;
using reliability::writeFile;

::testing::AssertionResult refused(const SaveResult& result, const std::string& path,
                                   const std::string& reason) {
  if (result.ok) return ::testing::AssertionFailure() << "saving " << path << " succeeded";
  if (result.message.find(path) == std::string::npos) {
    return ::testing::AssertionFailure() << "message does not name the path: " << result.message;
  }
  if (result.message.find(reason) == std::string::npos) {
    return ::testing::AssertionFailure() << "message does not give '" << reason
                                         << "': " << result.message;
  }
  return ::testing::AssertionSuccess();
}

// Why the system refuses to create a new file in `directory`.
std::string creationRefusal(const std::string& directory) {
  const std::string probe = directory + "/kinemora-reliability-probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd >= 0) {
    ::close(fd);
    ::unlink(probe.c_str());
    return "";
  }
  return std::strerror(errno);
}

class SaveFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    reliability::perform(composer, {"rhumba", "punchL", "cheer", "seizure", "clap"});
  }

  Composer composer;
  ScratchDirectory scratch;
};

TEST_F(SaveFailure, IntoAMissingDirectory) {
  const std::string path = scratch / "missing/animation.bvh";
  EXPECT_TRUE(refused(composer.save(path.c_str()), path, std::strerror(ENOENT)));
  EXPECT_TRUE(entriesOf(scratch.path()).empty());
}

TEST_F(SaveFailure, OntoADirectory) {
  const std::string path = scratch / "animation.bvh";
  ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
  writeFile(path + "/inside", "kept");

  EXPECT_TRUE(refused(composer.save(path.c_str()), path, std::strerror(EISDIR)));
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(entriesOf(path), std::set<std::string>{"inside"});
  EXPECT_EQ(readFile(path + "/inside"), "kept");
  EXPECT_EQ(entriesOf(scratch.path()), std::set<std::string>{"animation.bvh"});
}

// Root may write anywhere permissions allow nothing; a regular file taken
// for a directory stops everybody.
TEST_F(SaveFailure, UnderARegularFileTakenForADirectory) {
  const std::string plain = scratch / "notes.txt";
  writeFile(plain, "not a directory");
  const std::string path = plain + "/animation.bvh";

  EXPECT_TRUE(refused(composer.save(path.c_str()), path, std::strerror(ENOTDIR)));
  EXPECT_EQ(readFile(plain), "not a directory");
  EXPECT_EQ(entriesOf(scratch.path()), std::set<std::string>{"notes.txt"});
}

// The process file system takes no new files, not even from root.
TEST_F(SaveFailure, IntoTheProcessFileSystem) {
  const std::string reason = creationRefusal("/proc");
  ASSERT_FALSE(reason.empty()) << "/proc accepted a new file";
  const std::string path = "/proc/kinemora-animation.bvh";
  EXPECT_TRUE(refused(composer.save(path.c_str()), path, reason));
  EXPECT_NE(::access(path.c_str(), F_OK), 0);
}

TEST_F(SaveFailure, OverAFileInADirectoryThatTakesNoNewFiles) {
  const std::string path = "/proc/version";
  const std::string before = readFile(path);
  EXPECT_TRUE(refused(composer.save(path.c_str()), path, creationRefusal("/proc")));
  EXPECT_EQ(readFile(path), before);
}

TEST_F(SaveFailure, ToAFullDevice) {
  // Devices are written in place; the write itself fails.
  const std::string path = "/dev/full";
  EXPECT_TRUE(refused(composer.save(path.c_str()), path, std::strerror(ENOSPC)));
}

TEST_F(SaveFailure, OverAReadOnlyFileOfAnOrdinaryUser) {
  // Replacing by rename needs only the directory's permission; a file its
  // owner made read-only must still be refused. Root ignores permission
  // bits, so the save runs in a child that has become an ordinary user.
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
  const uid_t nobody = 65534;
  ASSERT_EQ(::chown(scratch.path().c_str(), nobody, nobody), 0);
  const std::string path = scratch / "animation.bvh";
  writeFile(path, "kept");
  ASSERT_EQ(::chown(path.c_str(), nobody, nobody), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(3);
    const SaveResult result = composer.save(path.c_str());
    const bool ok = !result.ok && result.message.find(std::strerror(EACCES)) != std::string::npos;
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save was not refused with EACCES";
  EXPECT_EQ(readFile(path), "kept");
  EXPECT_EQ(entriesOf(scratch.path()), std::set<std::string>{"animation.bvh"});
}

// Saves in a child process whose files may not grow past `limit` bytes, and
// which ignores SIGXFSZ: the write then fails part way with EFBIG, the way
// a full disk or a quota stops it. Returns what the save reported.
SaveResult saveWithFileSizeLimit(const Composer& composer, const std::string& path,
                                 rlim_t limit) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return {false, "pipe failed"};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    const struct rlimit size = {limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &size);
    std::signal(SIGXFSZ, SIG_IGN);
    const SaveResult result = composer.save(path.c_str());
    const std::string report = (result.ok ? "1" : "0") + result.message;
    const bool sent = ::write(pipeEnds[1], report.data(), report.size()) ==
                      static_cast<ssize_t>(report.size());
    ::_exit(sent ? 0 : 1);
  }
  ::close(pipeEnds[1]);
  std::string report;
  char chunk[256];
  for (ssize_t n; (n = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;) report.append(chunk, n);
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || report.empty()) {
    return {false, "the saving process failed"};
  }
  return {report[0] == '1', report.substr(1)};
}

constexpr rlim_t kFileSizeLimit = 16 * 1024;

TEST_F(SaveFailure, AWriteThatFailsPartWayLeavesTheOldFileWhole) {
  // The file from an earlier, different session, larger than the limit.
  Composer earlier;
  reliability::perform(earlier, {"seizure", "bend", "clap", "punchR", "cheer"});
  const std::string path = scratch / "animation.bvh";
  ASSERT_TRUE(earlier.save(path.c_str()).ok);
  const std::string before = readFile(path);
  ASSERT_GT(before.size(), 4 * kFileSizeLimit);
  ASSERT_GT(reliability::bvhText(composer).size(), 4 * kFileSizeLimit);

  EXPECT_TRUE(refused(saveWithFileSizeLimit(composer, path, kFileSizeLimit), path,
                      std::strerror(EFBIG)));
  EXPECT_EQ(readFile(path), before);
  EXPECT_EQ(entriesOf(scratch.path()), std::set<std::string>{"animation.bvh"});
}

TEST_F(SaveFailure, AWriteThatFailsPartWayCreatesNoFile) {
  const std::string path = scratch / "animation.bvh";
  EXPECT_TRUE(refused(saveWithFileSizeLimit(composer, path, kFileSizeLimit), path,
                      std::strerror(EFBIG)));
  EXPECT_TRUE(entriesOf(scratch.path()).empty());
}

}  // namespace
}  // namespace kinemora
