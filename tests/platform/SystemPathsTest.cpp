#include "platform/SystemPaths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/IoError.h"
#include "tests/support/TempDir.h"

namespace mxt::platform {
namespace {

using mxt::testing::ScopedEnv;
using mxt::testing::TempDir;

TEST(SystemPathsTest, TheTemporaryFolderEndsInASlash) {
  TempDir dir;
  {
    ScopedEnv env("TMPDIR", dir.Path().c_str());
    EXPECT_EQ(TempDirectory(), dir.Path() + "/");
  }
  ScopedEnv env("TMPDIR", (dir / "missing").c_str());
  EXPECT_EQ(TempDirectory(), "/tmp/");
}

TEST(SystemPathsTest, TheProgramPathIsThisTestProgram) {
  const std::string path = ProgramPath();
  EXPECT_EQ(path.front(), '/');
  EXPECT_NE(path.find("mxt_platform_tests"), std::string::npos) << path;
}

TEST(SystemPathsTest, TheConfigAndCacheFoldersFollowXdgThenHome) {
  ScopedEnv home("HOME", "/home/someone");
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/x/config");
    ScopedEnv cache("XDG_CACHE_HOME", "/x/cache");
    EXPECT_EQ(UserConfigDirectory(), "/x/config");
    EXPECT_EQ(UserCacheDirectory(), "/x/cache");
  }
  // A relative folder would move with the current one.
  for (const char* unset : {static_cast<const char*>(nullptr), "", "x/config"}) {
    ScopedEnv config("XDG_CONFIG_HOME", unset);
    ScopedEnv cache("XDG_CACHE_HOME", unset);
    EXPECT_EQ(UserConfigDirectory(), "/home/someone/.config") << (unset ? unset : "unset");
    EXPECT_EQ(UserCacheDirectory(), "/home/someone/.cache") << (unset ? unset : "unset");
  }
}

// A folder planted under the name by someone else is passed over for the next one.
TEST(SystemPathsTest, ThePrivateFolderIsTheFirstThatIsThisUsersAlone) {
  TempDir dir;
  ASSERT_EQ(::symlink(dir.Path().c_str(), (dir / "link").c_str()), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::mkdir((dir / "theirs").c_str(), 0777), 0);
    ASSERT_EQ(::chown((dir / "theirs").c_str(), 65534, 65534), 0);
  }
  const std::string planted = dir / (root ? "theirs" : "link");
  EXPECT_EQ(FirstPrivateDirectory({dir / "link", planted, dir / "cache/MXT-runtime"}),
            dir / "cache/MXT-runtime/");
  EXPECT_EQ(testing::StatOf(dir / "cache/MXT-runtime").st_mode & 0777, 0700u);
  EXPECT_EQ(testing::StatOf(dir / "cache/MXT-runtime").st_uid, ::getuid());
  EXPECT_THROW(FirstPrivateDirectory({dir / "link", planted}), IoError);
  EXPECT_TRUE(S_ISLNK(testing::LinkStatOf(dir / "link").st_mode));
}

}  // namespace
}  // namespace mxt::platform
