#include "platform/FileSystem.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <string>

#include "platform/IoError.h"
#include "platform/StopSignals.h"
#include "tests/support/TempDir.h"

namespace mxt::platform {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string Attribute(const std::string& path, const char* name) {
  char value[256];
  const ssize_t size = ::getxattr(path.c_str(), name, value, sizeof value);
  return size < 0 ? "" : std::string(value, static_cast<std::size_t>(size));
}

class TakeOverIdentityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir_ / "source", "old");
    WriteFile(dir_ / "new", "");
  }
  bool TakeOver() {
    OsFile model = OsFile::OpenForReading(dir_ / "source");
    OsFile file = OsFile::OpenExclusive(dir_ / "new", OsFile::Access::ReadWrite);
    return TakeOverIdentity(model, model.Identity(), file);
  }

  TempDir dir_;
};

TEST_F(TakeOverIdentityTest, GivesModeGroupAttributesAndAccessList) {
  if (::setxattr((dir_ / "source").c_str(), "user.origin", "mail", 4, 0) != 0)
    GTEST_SKIP() << "no extended attributes here";
  ASSERT_EQ(::chmod((dir_ / "source").c_str(), 0640), 0);
  const std::string acl = "setfacl -m u:nobody:r '" + (dir_ / "source") + "' 2>/dev/null";
  const bool withAcl = std::system(acl.c_str()) == 0;
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown((dir_ / "source").c_str(), 65534, 65534), 0);
  }

  EXPECT_TRUE(TakeOver());
  const struct stat source = testing::StatOf(dir_ / "source");
  const struct stat taken = testing::StatOf(dir_ / "new");
  EXPECT_EQ(taken.st_mode & 07777, source.st_mode & 07777);
  EXPECT_EQ(taken.st_uid, source.st_uid);
  EXPECT_EQ(taken.st_gid, source.st_gid);
  EXPECT_EQ(Attribute(dir_ / "new", "user.origin"), "mail");
  if (withAcl) {
    EXPECT_NE(Attribute(dir_ / "new", "system.posix_acl_access"), "");
    EXPECT_EQ(Attribute(dir_ / "new", "system.posix_acl_access"),
              Attribute(dir_ / "source", "system.posix_acl_access"));
  }
}

TEST_F(TakeOverIdentityTest, RefusesAFileWithOtherNames) {
  ASSERT_EQ(::link((dir_ / "source").c_str(), (dir_ / "other-name").c_str()), 0);
  EXPECT_FALSE(TakeOver());
}

TEST(OpenedPathTest, FollowsTheOpenFileNotItsName) {
  TempDir dir;
  WriteFile(dir / "a", "a");
  WriteFile(dir / "b", "b");
  ASSERT_EQ(::symlink((dir / "a").c_str(), (dir / "link").c_str()), 0);
  OsFile file = OsFile::OpenForReading(dir / "link");
  ASSERT_EQ(::unlink((dir / "link").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "b").c_str(), (dir / "link").c_str()), 0);
  char real[PATH_MAX];
  ASSERT_NE(::realpath((dir / "a").c_str(), real), nullptr);
  EXPECT_EQ(OpenedPath(file), real);
}

TEST(StopSignalsTest, ASignalAsksToStopAndIsHeldOffWhereWorkMustFinish) {
  CatchStopSignals();
  ClearStopSignal();
  {
    const HeldStopSignals held;
    ::raise(SIGTERM);
    EXPECT_FALSE(StopSignalled()) << "arrived while held off";
  }
  EXPECT_TRUE(StopSignalled());
  ClearStopSignal();
  ::raise(SIGHUP);
  EXPECT_TRUE(StopSignalled());
  ClearStopSignal();
  ::signal(SIGTERM, SIG_DFL);
  ::signal(SIGINT, SIG_DFL);
  ::signal(SIGHUP, SIG_DFL);
}

// A file with other names is written where it is, shorter as well as longer; one with no
// write bit is left alone, also by root.
TEST(WriteWholeFileTest, WritesAHardLinkedFileInPlaceAndLeavesAReadOnlyOneAlone) {
  TempDir dir;
  WriteFile(dir / "a", "old and long");
  ASSERT_EQ(::link((dir / "a").c_str(), (dir / "b").c_str()), 0);
  const ino_t inode = testing::StatOf(dir / "a").st_ino;
  for (const char* content : {"new, and longer than before", "short"}) {
    WriteWholeFile(dir / "a", content);
    EXPECT_EQ(ReadFile(dir / "b"), content);
    EXPECT_EQ(testing::StatOf(dir / "a").st_ino, inode);
  }
  EXPECT_EQ(testing::FolderContent(dir.Path()), (std::set<std::string>{"a", "b"}));

  WriteFile(dir / "frozen", "old");
  ASSERT_EQ(::chmod((dir / "frozen").c_str(), 0444), 0);
  try {
    WriteWholeFile(dir / "frozen", "new");
    ADD_FAILURE() << "a read-only file written";
  } catch (const IoError& error) {
    EXPECT_EQ(error.Code(), EACCES);
  }
  EXPECT_EQ(ReadFile(dir / "frozen"), "old");
}

// A write in place that fails on the way, here at a file size limit, leaves the old text.
TEST(WriteWholeFileTest, AnInPlaceWriteThatFailsOnTheWayPutsTheOldTextBack) {
  TempDir dir;
  const std::string old = "[Options]\n" + std::string(1500, 'o') + "\nLast=kept\n";
  WriteFile(dir / "a", old);
  ASSERT_EQ(::link((dir / "a").c_str(), (dir / "b").c_str()), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{2048, 2048};
    int code = ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? 1 : 3;
    try {
      WriteWholeFile(dir / "a", std::string(3000, 'n'));
    } catch (const IoError&) {
      code = code == 1 ? 0 : code;
    }
    ::_exit(code);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: written past the limit, 3: no limit";
  EXPECT_EQ(ReadFile(dir / "b"), old);
}

// A link is written where it leads, and only over a regular file or nothing.
TEST(WriteWholeFileTest, WritesThroughALinkOnlyToARegularFile) {
  TempDir dir;
  WriteFile(dir / "real", "old");
  ASSERT_EQ(::symlink("real", (dir / "to-real").c_str()), 0);
  WriteWholeFile(dir / "to-real", "new");
  EXPECT_EQ(ReadFile(dir / "real"), "new");
  EXPECT_TRUE(S_ISLNK(testing::LinkStatOf(dir / "to-real").st_mode));

  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("fifo", (dir / "to-fifo").c_str()), 0);
  ASSERT_EQ(::symlink("gone", (dir / "dangling").c_str()), 0);
  for (const char* name : {"fifo", "to-fifo", "dangling"}) {
    try {
      WriteWholeFile(dir / name, "new");
      ADD_FAILURE() << name << " written";
    } catch (const IoError& error) {
      EXPECT_EQ(error.Code(), EINVAL) << name;
    }
  }
  EXPECT_TRUE(S_ISFIFO(testing::LinkStatOf(dir / "fifo").st_mode));
  EXPECT_TRUE(S_ISLNK(testing::LinkStatOf(dir / "dangling").st_mode));
  EXPECT_EQ(testing::FolderContent(dir.Path()),
            (std::set<std::string>{"dangling", "fifo", "real", "to-fifo", "to-real"}));
}

}  // namespace
}  // namespace mxt::platform
