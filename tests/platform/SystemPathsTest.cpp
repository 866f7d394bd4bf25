#include "platform/SystemPaths.h"

#include <gtest/gtest.h>

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

TEST(SystemPathsTest, TheConfigFolderFollowsXdgThenHome) {
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/x/config");
    EXPECT_EQ(UserConfigDirectory(), "/x/config");
  }
  ScopedEnv config("XDG_CONFIG_HOME", nullptr);
  ScopedEnv home("HOME", "/home/someone");
  EXPECT_EQ(UserConfigDirectory(), "/home/someone/.config");
}

}  // namespace
}  // namespace mxt::platform
