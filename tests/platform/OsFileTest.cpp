#include "platform/OsFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/IoError.h"
#include "tests/support/TempDir.h"

namespace mxt::platform {
namespace {

class OsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = temp_.Path(); }

  testing::TempDir temp_;
  std::string dir_;
};

int ErrorCodeOf(void (*operation)()) {
  try {
    operation();
  } catch (const IoError& error) {
    return error.Code();
  }
  return 0;
}

TEST_F(OsFileTest, WritesSeeksAndTruncates) {
  OsFile file = OsFile::Create(dir_ + "/a");
  file.WriteBlock("hello world", 11);
  EXPECT_EQ(file.Size(), 11);
  file.Seek(5);
  file.Truncate();
  EXPECT_EQ(file.Size(), 5);
  file.Seek(0);
  char text[8] = {};
  EXPECT_EQ(file.ReadBlock(text, sizeof text), 5u);
  EXPECT_STREQ(text, "hello");
  EXPECT_EQ(file.ReadBlock(text, sizeof text), 0u);
  file.Close();
  EXPECT_EQ(OsFile::Create(dir_ + "/a").Size(), 0) << "Create empties an existing file";
}

// The code an exclusive open of `path` fails with, tried as a user who may not read it.
int AccessDeniedCodeOf(const std::string& path) {
  const auto code = [&] {
    try {
      OsFile::OpenExclusive(path, OsFile::Access::Read);
    } catch (const IoError& error) {
      return error.Code();
    }
    return 0;
  };
  ::chmod(path.c_str(), 0);
  if (::geteuid() != 0) return code();
  // Root passes every permission check, so the open is tried as "nobody".
  const pid_t child = ::fork();
  if (child == 0) _exit(::setgid(65534) == 0 && ::setuid(65534) == 0 ? code() : 255);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// An exclusive open tells access denied from other failures.
TEST_F(OsFileTest, FailuresCarryTheSystemsErrorCode) {
  EXPECT_EQ(ErrorCodeOf([] { OsFile::Create("/dev/full").WriteBlock("x", 1); }), ENOSPC);
  EXPECT_EQ(ErrorCodeOf([] {
              char byte;
              OsFile::OpenForReading("/").ReadBlock(&byte, 1);
            }),
            EISDIR);
  EXPECT_EQ(ErrorCodeOf([] { OsFile::OpenForReading("/nonexistent/mxt"); }), ENOENT);
  EXPECT_EQ(ErrorCodeOf([] { OsFile::OpenExclusive("/nonexistent/mxt", OsFile::Access::Read); }),
            ENOENT);
  const std::string path = dir_ + "/private";
  OsFile::Create(path).Close();
  EXPECT_EQ(AccessDeniedCodeOf(path), kErrorAccessDenied);
}

TEST_F(OsFileTest, AnExclusiveOpenKeepsOutTheNextOne) {
  OsFile::Create(dir_ + "/a").WriteBlock("abc", 3);
  OsFile held = OsFile::OpenExclusive(dir_ + "/a", OsFile::Access::Read);
  const std::string path = dir_ + "/a";
  try {
    OsFile::OpenExclusive(path, OsFile::Access::ReadWrite);
    ADD_FAILURE() << "a second exclusive open succeeded";
  } catch (const IoError& error) {
    EXPECT_EQ(error.Code(), kErrorSharingViolation);
  }
  held.Close();
  OsFile again = OsFile::OpenExclusive(path, OsFile::Access::ReadWrite);
  EXPECT_EQ(again.Size(), 3);
}

TEST_F(OsFileTest, CreateNewRefusesEveryExistingNameAndIsPrivate) {
  const std::string path = dir_ + "/new";
  OsFile::CreateNew(path).Close();
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  ASSERT_EQ(::symlink((dir_ + "/target").c_str(), (dir_ + "/link").c_str()), 0);
  ASSERT_EQ(::mkdir((dir_ + "/dir").c_str(), 0755), 0);
  for (const std::string name : {"/new", "/link", "/dir"}) {
    const std::string taken = dir_ + name;
    try {
      OsFile::CreateNew(taken);
      ADD_FAILURE() << name << " was created";
    } catch (const IoError& error) {
      EXPECT_EQ(error.Code(), EEXIST) << name;
    }
  }
  // The link was not followed.
  EXPECT_NE(::access((dir_ + "/target").c_str(), F_OK), 0);
}

TEST_F(OsFileTest, TheLastWriteTimeKeepsNanosecondsAndLeavesTheAccessTime) {
  OsFile file = OsFile::Create(dir_ + "/a");
  const timespec times[2] = {{1'500'000'000, 5}, {0, UTIME_OMIT}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir_ + "/a").c_str(), times, 0), 0);
  file.SetLastWriteTime({1'234'567'890, 987'654'321});
  EXPECT_EQ(file.LastWriteTime(), (FileTime{1'234'567'890, 987'654'321}));
  struct stat info;
  ASSERT_EQ(::stat((dir_ + "/a").c_str(), &info), 0);
  EXPECT_EQ(info.st_atim.tv_sec, 1'500'000'000);
  EXPECT_EQ(info.st_atim.tv_nsec, 5);
}

// What a file holds, read through a handle already open: an open of its own would break
// the lease that keeps others out.
std::string ContentOf(OsFile& file) {
  char text[64];
  const ssize_t count = ::pread(file.Handle(), text, sizeof text, 0);
  return std::string(text, count > 0 ? static_cast<std::size_t>(count) : 0);
}

// A program that has the file open for a moment, as a shell appending a line does, is
// waited for; while others are kept out, the next one waits in turn.
TEST_F(OsFileTest, OthersAreKeptOutOnceAProgramAppendingHasDone) {
  const std::string path = dir_ + "/a";
  OsFile file = OsFile::Create(path);
  int opened[2];
  ASSERT_EQ(::pipe(opened), 0);
  const pid_t first = ::fork();
  if (first == 0) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
    if (::write(opened[1], "x", 1) != 1) ::_exit(2);
    ::usleep(100 * 1000);
    ::_exit(::write(fd, "first", 5) == 5 ? 0 : 1);
  }
  char byte;
  ASSERT_EQ(::read(opened[0], &byte, 1), 1);
  std::string whenKeptOut, whileKeptOut;
  pid_t second = 0;
  {
    const OsFile::OthersKeptOut alone(file);
    whenKeptOut = ContentOf(file);
    second = ::fork();
    if (second == 0) {
      const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);  // waits until let in
      ::_exit(fd >= 0 && ::write(fd, "second", 6) == 6 ? 0 : 1);
    }
    ::usleep(100 * 1000);
    whileKeptOut = ContentOf(file);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(first, &status, 0), first);
  ASSERT_EQ(::waitpid(second, &status, 0), second);
  EXPECT_EQ(whenKeptOut, "first") << "the first was not waited for";
  EXPECT_EQ(whileKeptOut, "first") << "the second came in";
  EXPECT_EQ(ContentOf(file), "firstsecond");
  ::close(opened[0]);
  ::close(opened[1]);
}

TEST_F(OsFileTest, AnExclusiveOpenOfAFifoDoesNotWaitForAWriter) {
  ASSERT_EQ(::mkfifo((dir_ + "/fifo").c_str(), 0600), 0);
  ::alarm(10);  // a hang ends the test as a failure
  OsFile fifo = OsFile::OpenExclusive(dir_ + "/fifo", OsFile::Access::Read);
  char byte;
  EXPECT_EQ(fifo.ReadBlock(&byte, 1), 0u);
  ::alarm(0);
}

TEST_F(OsFileTest, ItsFailuresNameTheCodeTheCauseAndTheFile) {
  EXPECT_STREQ(IoError(ENOSPC).what(), "I/O ｴﾗｰ (28) No space left on device");
  EXPECT_STREQ(IoError(kErrorAccessDenied, "/d/a.txt", EACCES).what(),
               "I/O ｴﾗｰ (5) Permission denied: /d/a.txt");
  testing::WriteFile(dir_ + "/a.txt", "text");
  OsFile file = OsFile::OpenExclusive(dir_ + "/a.txt", OsFile::Access::Read);
  try {
    file.WriteBlock("x", 1);
    FAIL() << "written";
  } catch (const IoError& error) {
    EXPECT_EQ(error.what(), "I/O ｴﾗｰ (9) Bad file descriptor: " + dir_ + "/a.txt");
  }
}

}  // namespace
}  // namespace mxt::platform
