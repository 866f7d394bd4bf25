#include "platform/LockFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/IoError.h"
#include "platform/SystemPaths.h"
#include "tests/support/TempDir.h"

namespace mxt::platform {
namespace {

using Mode = LockFile::Mode;
using namespace std::chrono_literals;

class LockFileTest : public ::testing::Test {
 protected:
  mxt::testing::TempDir runtime_;
  mxt::testing::ScopedEnv env_{"XDG_RUNTIME_DIR", runtime_.Path().c_str()};
};

// It is private, and never a link nor a folder of another user.
TEST_F(LockFileTest, TheRuntimeFolderIsThisUsersAlone) {
  ASSERT_EQ(::symlink("/tmp", (runtime_ / "MXT").c_str()), 0);
  EXPECT_THROW(RuntimeDirectory(), IoError);
  ::unlink((runtime_ / "MXT").c_str());
  EXPECT_EQ(RuntimeDirectory(), runtime_ / "MXT/");
  EXPECT_EQ(mxt::testing::StatOf(runtime_ / "MXT").st_mode & 0777, 0700u);
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  ASSERT_EQ(::chown((runtime_ / "MXT").c_str(), 65534, 65534), 0);
  EXPECT_THROW(RuntimeDirectory(), IoError);
}

TEST_F(LockFileTest, InstancesShareTheFirstLockAndKeepOutAnExclusiveOne) {
  auto first = LockFile::TryLock(kInstanceLockName, Mode::Shared);
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(LockFile::TryLock(kInstanceLockName, Mode::Shared).has_value());
  EXPECT_FALSE(LockFile::TryLock(kInstanceLockName, Mode::Exclusive).has_value());
  first.reset();
  EXPECT_TRUE(LockFile::TryLock(kInstanceLockName, Mode::Exclusive).has_value());
}

TEST_F(LockFileTest, WaitingForAHeldLockGivesUpAfterTheTimeout) {
  auto held = LockFile::TryLock(kStartupLockName, Mode::Exclusive);
  ASSERT_TRUE(held.has_value());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(LockFile::Lock(kStartupLockName, Mode::Exclusive, 100ms).has_value());
  EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
  // A moved-from lock releases nothing; the moved-to one releases at its end.
  LockFile moved = std::move(*held);
  held.reset();
  EXPECT_FALSE(LockFile::TryLock(kStartupLockName, Mode::Exclusive).has_value());
}

}  // namespace
}  // namespace mxt::platform
