#include "fileconv/TempFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include <regex>
#include <vector>

#include "platform/IoError.h"
#include "platform/Process.h"
#include "tests/support/TempDir.h"

namespace mxt::fileconv {
namespace {

using mxt::testing::TempDir;

// Hands out the given numbers in order.
TempNumberSource Numbers(std::vector<int> numbers) {
  return [numbers, next = std::size_t{0}]() mutable { return numbers.at(next++); };
}

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

TEST(TempFileTest, TheNameHasFiveDigitsAndTwoCharactersOfThePrefix) {
  TempDir dir;
  const std::string folder = dir.Path() + "/";
  EXPECT_EQ(MakeTempFileName("MX", folder, Numbers({4711})), folder + "~MX04711.TMP");
  EXPECT_EQ(MakeTempFileName("MXTW", folder, Numbers({0})), folder + "~MX00000.TMP");
  EXPECT_EQ(MakeTempFileName("MX", folder, Numbers({99999})), folder + "~MX99999.TMP");
  const std::string made = folder + "~MX04711.TMP";
  EXPECT_TRUE(IsRegularFile(made));
  struct stat info;
  ASSERT_EQ(::stat(made.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(info.st_size, 0);
  // The system's numbers give distinct files; a folder that cannot take one fails.
  EXPECT_NE(MakeTempFileName("MX", folder), MakeTempFileName("MX", folder));
  EXPECT_THROW(MakeTempFileName("MX", "/nonexistent/", Numbers({1})), platform::IoError);
  mxt::testing::ScopedEnv env("TMPDIR", dir.Path().c_str());
  EXPECT_EQ(DefaultTempDir(), folder) << "the system's temporary folder by default";
}

TEST(TempFileTest, AFileALinkOrAFolderOfTheNameIsTaken) {
  TempDir dir;
  const std::string folder = dir.Path() + "/";
  mxt::testing::WriteFile(folder + "~MX00001.TMP", "keep");
  ASSERT_EQ(::symlink((folder + "victim").c_str(), (folder + "~MX00002.TMP").c_str()), 0);
  ASSERT_EQ(::mkdir((folder + "~MX00003.TMP").c_str(), 0755), 0);
  EXPECT_EQ(MakeTempFileName("MX", folder, Numbers({1, 2, 3, 4})), folder + "~MX00004.TMP");
  EXPECT_EQ(mxt::testing::ReadFile(folder + "~MX00001.TMP"), "keep");
  EXPECT_NE(::access((folder + "victim").c_str(), F_OK), 0);
}

// Another user who made every short name in a shared folder cannot stop a run: after 16
// taken names comes a name nobody can guess.
TEST(TempFileTest, PastSixteenTakenNamesComesARandomNameNobodyCouldTake) {
  TempDir dir;
  ASSERT_EQ(::chmod(dir.Path().c_str(), 01777), 0);
  const std::string folder = dir.Path() + "/";
  const std::string taken = folder + "~MX00007.TMP";
  mxt::testing::WriteFile(taken, "theirs");
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(taken.c_str(), 65534, 65534), 0);
  }
  // A seventeenth draw would throw: only 16 numbers are there.
  const std::string first = MakeTempFileName("MXTW", folder, Numbers(std::vector<int>(16, 7)));
  const std::string second = MakeTempFileName("MXTW", folder, Numbers(std::vector<int>(16, 7)));
  for (const std::string& made : {first, second}) {
    EXPECT_TRUE(std::regex_match(made.substr(folder.size()), std::regex("~MX[0-9a-f]{16}\\.TMP")))
        << made;
    EXPECT_TRUE(IsRegularFile(made));
  }
  EXPECT_NE(first, second);
  EXPECT_EQ(mxt::testing::ReadFile(taken), "theirs");
  // The short names come first while one is free.
  EXPECT_EQ(MakeTempFileName("MX", folder, Numbers(std::vector<int>{7, 7, 7, 8})),
            folder + "~MX00008.TMP");
}

// A copy made by a child that is killed at once, as SIGKILL leaves a window's copies.
std::string CopyOfAKilledProcess(const std::string& folder) {
  int names[2];
  EXPECT_EQ(::pipe(names), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    std::string name;
    CreateViewCopy(folder, name);
    (void)!::write(names[1], name.data(), name.size());
    ::raise(SIGKILL);
  }
  ::close(names[1]);
  char name[512];
  const ssize_t length = ::read(names[0], name, sizeof name);
  ::close(names[0]);
  ::waitpid(child, nullptr, 0);
  return std::string(name, static_cast<std::size_t>(std::max<ssize_t>(length, 0)));
}

TEST(TempFileTest, ALaterStartRemovesOnlyTheViewerCopiesItsUsersEndedProcessesLeft) {
  TempDir dir;
  const std::string folder = dir.Path() + "/";
  const std::string killed = CopyOfAKilledProcess(folder);
  ASSERT_TRUE(IsRegularFile(killed)) << killed;
  const platform::ProcessStamp self = platform::ThisProcess();
  ASSERT_NE(self.started, 0u);
  EXPECT_TRUE(std::regex_match(killed.substr(folder.size()),
                               std::regex("~MXV[0-9]+-[0-9]+-[0-9a-f]{8}\\.TMP")))
      << killed;

  std::string mine;
  CreateViewCopy(folder, mine);
  // A process that reuses the number of an ended one is not that one.
  const std::string reused = folder + "~MXV" + std::to_string(self.id) + "-" +
                             std::to_string(self.started + 1) + "-0000abcd.TMP";
  mxt::testing::WriteFile(reused, "old");
  // "<folder>~MXV<id>-<start>-" of the killed process.
  const std::string ended = killed.substr(0, killed.rfind('-') + 1);
  const std::string notACopy = ended + "zz.TMP";
  mxt::testing::WriteFile(notACopy, "keep");
  const std::string link = ended + "00000001.TMP";
  ASSERT_EQ(::symlink((folder + "victim").c_str(), link.c_str()), 0);
  mxt::testing::WriteFile(folder + "victim", "keep");
  const std::string theirs = ended + "00000002.TMP";
  mxt::testing::WriteFile(theirs, "theirs");
  const bool otherUser = ::geteuid() == 0 && ::chown(theirs.c_str(), 65534, 65534) == 0;

  EXPECT_EQ(RemoveLeftViewCopies(folder), otherUser ? 2u : 3u);
  EXPECT_FALSE(IsRegularFile(killed));
  EXPECT_FALSE(IsRegularFile(reused));
  EXPECT_TRUE(IsRegularFile(mine)) << "this process still runs";
  EXPECT_TRUE(IsRegularFile(notACopy));
  EXPECT_EQ(mxt::testing::ReadFile(folder + "victim"), "keep");
  EXPECT_EQ(::access(link.c_str(), F_OK), 0) << "a link is never followed nor removed";
  EXPECT_EQ(IsRegularFile(theirs), otherUser);
}

}  // namespace
}  // namespace mxt::fileconv
