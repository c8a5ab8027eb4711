// A save that succeeds replaces the file whole: through links to their
// target, keeping an existing file's permissions and giving a new one the
// permissions any new file gets, with no temporary file left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

mode_t modeOf(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Sets the process umask for one scope.
class Umask {
 public:
  explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
  ~Umask() { ::umask(previous_); }

 private:
  mode_t previous_;
};

class SaveReplace : public ::testing::Test {
 protected:
  void SetUp() override {
    reliability::perform(composer, {"clap", "punchR", "noise", "bend"});
    expected = reliability::bvhText(composer);
  }

  void save(const std::string& path) {
    const SaveResult result = composer.save(path.c_str());
    ASSERT_TRUE(result.ok) << result.message;
  }

  Composer composer;
  ScratchDirectory scratch;
  std::string expected;
};

TEST_F(SaveReplace, ReplacesAnExistingLongerFile) {
  const std::string path = scratch / "animation.bvh";
  writeFile(path, std::string(expected.size() * 3, 'x'));
  save(path);
  EXPECT_EQ(readFile(path), expected);
  EXPECT_EQ(entriesOf(scratch.path()), std::set<std::string>{"animation.bvh"});
}

TEST_F(SaveReplace, ThroughALinkReplacesTheTargetAndKeepsTheLink) {
  const std::string real = scratch / "real.bvh";
  const std::string link = scratch / "link.bvh";
  writeFile(real, "earlier");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  ASSERT_EQ(::symlink("real.bvh", link.c_str()), 0);

  save(link);
  struct stat info;
  ASSERT_EQ(::lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  char target[256] = {};
  ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
  EXPECT_STREQ(target, "real.bvh");
  EXPECT_EQ(readFile(real), expected);
  EXPECT_EQ(modeOf(real), 0640u);
  EXPECT_EQ(entriesOf(scratch.path()), (std::set<std::string>{"link.bvh", "real.bvh"}));
}

TEST_F(SaveReplace, ThroughADanglingLinkCreatesTheTarget) {
  const std::string link = scratch / "link.bvh";
  ASSERT_EQ(::symlink("new.bvh", link.c_str()), 0);

  save(link);
  struct stat info;
  ASSERT_EQ(::lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(readFile(scratch / "new.bvh"), expected);
  EXPECT_EQ(entriesOf(scratch.path()), (std::set<std::string>{"link.bvh", "new.bvh"}));
}

TEST_F(SaveReplace, ThroughALinkIntoAnotherDirectory) {
  ASSERT_EQ(::mkdir((scratch / "files").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((scratch / "links").c_str(), 0755), 0);
  writeFile(scratch / "files/real.bvh", "earlier");
  ASSERT_EQ(::symlink("../files/real.bvh", (scratch / "links/link.bvh").c_str()), 0);

  save(scratch / "links/link.bvh");
  EXPECT_EQ(readFile(scratch / "files/real.bvh"), expected);
  EXPECT_EQ(entriesOf(scratch / "files"), std::set<std::string>{"real.bvh"});
  EXPECT_EQ(entriesOf(scratch / "links"), std::set<std::string>{"link.bvh"});
}

TEST_F(SaveReplace, ANewFileGetsTheUsualPermissions) {
  for (mode_t mask : {0022, 0027, 0077, 0002, 0}) {
    const Umask scope(mask);
    const std::string path = scratch / ("new-" + std::to_string(mask) + ".bvh");
    save(path);
    EXPECT_EQ(modeOf(path), 0666u & ~mask) << "umask " << std::oct << mask;
    EXPECT_EQ(readFile(path), expected);
  }
}

TEST_F(SaveReplace, AnExistingFileKeepsItsPermissions) {
  const Umask scope(0022);
  for (mode_t mode : {0600, 0640, 0604, 0660, 0666, 0755, 0444}) {
    const std::string path = scratch / ("kept-" + std::to_string(mode) + ".bvh");
    writeFile(path, "earlier");
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    save(path);
    EXPECT_EQ(modeOf(path), mode) << std::oct << mode;
    EXPECT_EQ(readFile(path), expected);
  }
}

}  // namespace
}  // namespace kinemora
