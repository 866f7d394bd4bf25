#include "platform/FullPath.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/CurrentDirectory.h"
#include "tests/support/TempDir.h"

namespace mxt::platform {
namespace {

using mxt::testing::TempDir;
using mxt::testing::WriteFile;

TEST(FullPathTest, ResolvesTheFolderAndKeepsTheLastComponent) {
  TempDir temp;
  const std::string dir = FullPath(temp.Path());  // /tmp may itself be a link
  ASSERT_EQ(::mkdir((dir + "/real").c_str(), 0755), 0);
  WriteFile(dir + "/real/a.txt", "x");
  ASSERT_EQ(::symlink("real", (dir + "/link").c_str()), 0);
  ASSERT_EQ(::symlink("a.txt", (dir + "/real/alias").c_str()), 0);

  EXPECT_EQ(FullPath(dir + "/link/a.txt"), dir + "/real/a.txt");
  EXPECT_EQ(FullPath(dir + "/real/./../real//a.txt"), dir + "/real/a.txt");
  EXPECT_EQ(FullPath(dir + "/real/alias"), dir + "/real/alias");
  EXPECT_EQ(FullPath(dir + "/link/new/deeper/b.txt"), dir + "/real/new/deeper/b.txt");
  EXPECT_EQ(FullPath("/a.txt"), "/a.txt");
}

// In a folder removed since, a relative name names nothing: not a name at the root of the
// file system, nor one taken later from another current folder.
TEST(FullPathTest, TellsAPathThatLeadsThroughALinkByItsFolders) {
  TempDir temp;
  const std::string dir = FullPath(temp.Path());
  ASSERT_EQ(::mkdir((dir + "/real").c_str(), 0755), 0);
  WriteFile(dir + "/real/a.txt", "x");
  ASSERT_EQ(::symlink("real", (dir + "/link").c_str()), 0);
  ASSERT_EQ(::symlink("a.txt", (dir + "/real/alias").c_str()), 0);
  EXPECT_TRUE(LeadsThroughLink(dir + "/link/a.txt"));
  EXPECT_FALSE(LeadsThroughLink(dir + "/real/a.txt"));
  EXPECT_FALSE(LeadsThroughLink(dir + "/real/alias")) << "the last name is no folder";
}

TEST(FullPathTest, ARelativePathIsTakenFromTheCurrentDirectoryWhileThereIsOne) {
  TempDir temp;
  const std::string before = CurrentDirectory();
  ASSERT_TRUE(ChangeDirectory(temp.Path()));
  const std::string here = CurrentDirectory();
  EXPECT_EQ(FullPath("b.txt"), here + "/b.txt");
  EXPECT_EQ(FullPath("./b.txt"), here + "/b.txt");
  ASSERT_EQ(::mkdir((temp / "gone").c_str(), 0755), 0);
  ASSERT_TRUE(ChangeDirectory(temp / "gone"));
  ASSERT_EQ(::rmdir((temp / "gone").c_str()), 0);
  const std::string full = FullPath("../etc");
  ASSERT_TRUE(ChangeDirectory(before));
  EXPECT_EQ(full, "");
  EXPECT_FALSE(ChangeDirectory(temp / "missing"));
}

}  // namespace
}  // namespace mxt::platform
