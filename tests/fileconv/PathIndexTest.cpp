#include "fileconv/PathIndex.h"

#include <gtest/gtest.h>

#include <deque>

#include "fileconv/FileEntry.h"
#include "fileconv/PathText.h"

namespace mxt::fileconv {
namespace {

class PathIndexTest : public ::testing::Test {
 protected:
  FileEntry& Add(const std::string& path, const FileNameRule& rule) {
    FileEntry& entry = entries_.emplace_back(FileEntry::InputEntry(path));
    index_.Add(entry, PathIndexKey(path, rule));
    return entry;
  }

  std::deque<FileEntry> entries_;
  PathIndex index_;
};

TEST_F(PathIndexTest, TheHashMultipliesBy31AndTakesTheRestBy1001) {
  EXPECT_EQ(PathHash(""), 0u);
  EXPECT_EQ(PathHash("a"), 97u);
  EXPECT_EQ(PathHash("ab"), (97u * 31 + 98) % 1001);
  // Bytes count unsigned, and the product wraps at 32 bits.
  EXPECT_EQ(PathHash("\xFF"), 255u);
  std::uint32_t h = 0;
  for (char c : std::string("c:\\program files\\readme.txt"))
    h = h * 31 + static_cast<unsigned char>(c);
  EXPECT_EQ(PathHash("c:\\program files\\readme.txt"), h % 1001);
}

TEST_F(PathIndexTest, WindowsKeysIgnoreTheCaseOfAsciiLettersOnly) {
  FileEntry& entry = Add("C:\\Data\\\x82\x60.txt", kShiftJisFileNames);  // "Ａ"
  EXPECT_EQ(
      index_.Find(PathIndexKey("c:\\DATA\\\x82\x60.TXT", kShiftJisFileNames), kShiftJisFileNames),
      &entry);
  // "ａ" differs from "Ａ" in its trail byte only.
  EXPECT_EQ(
      index_.Find(PathIndexKey("c:\\data\\\x82\x81.txt", kShiftJisFileNames), kShiftJisFileNames),
      nullptr);
}

TEST_F(PathIndexTest, PosixKeysAreThePathsThemselves) {
  FileEntry& entry = Add("/data/Notes.txt", platform::SystemFileNameRule());
  EXPECT_EQ(index_.Find(PathIndexKey("/data/Notes.txt")), &entry);
  EXPECT_EQ(index_.Find(PathIndexKey("/data/notes.txt")), nullptr);
}

TEST_F(PathIndexTest, EntriesOfOneBucketAreAllFoundNewestFirst) {
  // Three paths of one bucket.
  std::vector<std::string> paths;
  const std::uint32_t bucket = PathHash("/f0");
  for (int i = 1; paths.size() < 2; ++i) {
    const std::string path = "/f" + std::to_string(i);
    if (PathHash(path) == bucket) paths.push_back(path);
  }
  FileEntry& oldest = Add("/f0", platform::SystemFileNameRule());
  FileEntry& middle = Add(paths[0], platform::SystemFileNameRule());
  FileEntry& newest = Add(paths[1], platform::SystemFileNameRule());
  EXPECT_EQ(index_.Find("/f0"), &oldest);
  EXPECT_EQ(index_.Find(paths[0]), &middle);
  EXPECT_EQ(index_.Find(paths[1]), &newest);
  FileEntry& again = Add("/f0", platform::SystemFileNameRule());
  EXPECT_EQ(index_.Find("/f0"), &again);
  index_.Clear();
  EXPECT_EQ(index_.Find(paths[1]), nullptr);
}

}  // namespace
}  // namespace mxt::fileconv
