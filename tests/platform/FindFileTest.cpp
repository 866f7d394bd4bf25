#include "platform/FindFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace mxt::platform {
namespace {

using mxt::testing::TempDir;
using mxt::testing::WriteFile;

std::uint32_t AttributesOf(const std::string& path) {
  const auto found = FindFile(path);
  EXPECT_TRUE(found.has_value()) << path;
  return found ? found->attributes : 0xFFFFFFFF;
}

TEST(FindFileTest, MapsTheKindsOfEntryToAttributesAndReportsSizeAndTime) {
  TempDir dir;
  WriteFile(dir / "plain", "12345");
  const timespec times[2] = {{0, UTIME_OMIT}, {1'000'000'000, 123'456'789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "plain").c_str(), times, 0), 0);
  WriteFile(dir / "locked", "x");
  ::chmod((dir / "locked").c_str(), 0444);
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
  ASSERT_EQ(::mkdir((dir / "sub").c_str(), 0755), 0);

  EXPECT_EQ(AttributesOf(dir / "plain"), 0u);
  // No write bit: read-only even for root, who could write it.
  EXPECT_EQ(AttributesOf(dir / "locked"), attr::kReadOnly);
  EXPECT_EQ(AttributesOf(dir / "fifo"), attr::kVolumeLabel);
  EXPECT_EQ(AttributesOf(dir / "sub"), attr::kDirectory);
  EXPECT_EQ(AttributesOf("/dev/null"), attr::kVolumeLabel);
  EXPECT_FALSE(FindFile(dir / "missing").has_value());
  const auto found = FindFile(dir / "plain");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->name, "plain");
  EXPECT_EQ(found->size, 5);
  EXPECT_EQ(found->lastWrite, (FileTime{1'000'000'000, 123'456'789}));
  EXPECT_FALSE(found->alternateName.has_value());
}

TEST(FindFileTest, ADotFileIsHiddenUnlessAskedForByADotName) {
  TempDir dir;
  WriteFile(dir / ".profile", "x");
  EXPECT_EQ(AttributesOf(dir / ".profile"), 0u);
  const auto found = FindFiles(dir / "*");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].attributes, attr::kHidden);
  EXPECT_EQ(FindFiles(dir / ".p*").at(0).attributes, 0u);
}

TEST(FindFileTest, WildcardsMatchTheLastComponentInNameOrder) {
  TempDir dir;
  for (const char* name : {"b.txt", "a.txt", "c.doc", "a.txt~"})
    WriteFile(dir / name, "x");
  std::vector<std::string> names;
  for (const FindData& data : FindFiles(dir / "*.txt"))
    names.push_back(data.name);
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(FindFiles(dir / "?.doc").size(), 1u);
  EXPECT_TRUE(FindFiles(dir / "*.none").empty());
  EXPECT_TRUE(FindFiles(dir / "missing/*").empty());
}

// Only "*" and "?" are wildcards: brackets and backslashes are parts of names.
TEST(FindFileTest, OnlyStarAndQuestionMarkAreWildcards) {
  TempDir dir;
  for (const char* name : {"report[2023].txt", "report2.txt", "a\\b", "ab", "x*y", "xzy"})
    WriteFile(dir / name, "x");
  const struct {
    const char* pattern;
    std::vector<std::string> names;
  } cases[] = {
      {"report[2023].txt", {"report[2023].txt"}},
      {"report[2*", {"report[2023].txt"}},
      {"report[2].txt", {}},
      {"a\\b", {"a\\b"}},
      {"a\\?", {"a\\b"}},
      {"x*y", {"x*y", "xzy"}},
      {"*y", {"x*y", "xzy"}},
      {"?b", {"ab"}},
      {"*.*t", {"report2.txt", "report[2023].txt"}},
      {"**", {"a\\b", "ab", "report2.txt", "report[2023].txt", "x*y", "xzy"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> names;
    for (const FindData& data : FindFiles(dir / c.pattern))
      names.push_back(data.name);
    EXPECT_EQ(names, c.names) << c.pattern;
  }
}

}  // namespace
}  // namespace mxt::platform
