#include "fileconv/PathText.h"

#include <gtest/gtest.h>

#include "fileconv/CheckRange.h"

namespace mxt::fileconv {
namespace {

constexpr const FileNameRule& kSjis = kShiftJisFileNames;
// "ア" (0x83 0x41) and "表" (0x95 0x5C): trail bytes equal to "A" and "\".
constexpr char kKatakanaA[] = "\x83\x41";
constexpr char kHyou[] = "\x95\x5C";

TEST(PathTextTest, LeadBytesAreTheShiftJisRanges) {
  for (int byte = 0; byte < 256; ++byte) {
    const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(byte)), lead) << byte;
  }
}

TEST(PathTextTest, CaseChangesLeaveDoubleByteCharactersAlone) {
  const std::string name = std::string("AbC") + kKatakanaA + "Z\x82\x61q";
  EXPECT_EQ(LowerAscii(name, kSjis), std::string("abc") + kKatakanaA + "z\x82\x61q");
  EXPECT_EQ(UpperAscii(name, kSjis), std::string("ABC") + kKatakanaA + "Z\x82\x61Q");
  // A lead byte at the very end ends the scan.
  EXPECT_EQ(LowerAscii("A\x83", kSjis), "a\x83");
  // Byte-wise elsewhere: no UTF-8 trail byte is a letter.
  EXPECT_EQ(LowerAscii("Ä.TXT"), "Ä.txt");
}

TEST(PathTextTest, AllUpperNeedsAnUpperLetterAndNoLowerOne) {
  EXPECT_TRUE(IsAllUpperName("README.TXT", kSjis));
  EXPECT_FALSE(IsAllUpperName("ReadMe.TXT", kSjis));
  EXPECT_FALSE(IsAllUpperName("1234.567", kSjis));
  // The trail byte 0x61 ("a") of a double-byte character is no lower-case letter.
  EXPECT_TRUE(IsAllUpperName("A\x82\x61", kSjis));
}

TEST(PathTextTest, CapitalizingLowersAllButAFirstLetter) {
  for (const auto& [in, out] :
       {std::pair{"README.TXT", "Readme.txt"}, {"_NOTES.TXT", "_notes.txt"}}) {
    std::string name = in;
    CapitalizeName(name, kSjis);
    EXPECT_EQ(name, out);
  }
}

TEST(PathTextTest, DriveLettersExistOnlyWhereTheRuleHasThem) {
  const struct {
    std::string in, sjis, posix;
  } cases[] = {
      {"d:", "D:", "d:"}, {"D:", "D:", "D:"}, {"d:\\", "d:\\", "d:\\"}, {"1:", "1:", "1:"}};
  for (const auto& c : cases) {
    std::string sjis = c.in, posix = c.in;
    UpcaseDriveLetter(sjis, kSjis);
    UpcaseDriveLetter(posix);
    EXPECT_EQ(sjis, c.sjis) << c.in;
    EXPECT_EQ(posix, c.posix) << c.in;
  }
}

TEST(PathTextTest, ATrailingSeparatorGoesButNotATrailByte) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"C:\\TEMP\\", "C:\\TEMP"},
      {"C:\\TEMP", "C:\\TEMP"},
      {std::string("C:\\") + kHyou, std::string("C:\\") + kHyou},
      {std::string("C:\\") + kHyou + "\\", std::string("C:\\") + kHyou},
      {"\\\\", "\\"},
  };
  for (const auto& c : cases) {
    std::string path = c.in;
    RemoveTrailingBackslash(path, kSjis);
    EXPECT_EQ(path, c.out) << c.in;
  }
  std::string posix = "/tmp/";
  RemoveTrailingBackslash(posix);
  EXPECT_EQ(posix, "/tmp");
  std::string dotted = "notes.";
  RemoveTrailingDot(dotted);
  EXPECT_EQ(dotted, "notes");
}

TEST(PathTextTest, OnlyAServerAndAShareAreAShareRoot) {
  const struct {
    std::string path;
    bool root;
  } cases[] = {
      {"\\\\srv\\share", true},
      {"\\\\srv\\share\\", false},
      {"\\\\srv\\share\\dir", false},
      {"\\\\srv", false},
      {"\\\\srv\\", false},
      {"\\\\\\share", false},
      {"\\srv\\share", false},
      {"C:\\share", false},
      {std::string("\\\\srv\\") + kHyou, true},  // the trail byte is no separator
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsUncShareRoot(c.path, kSjis), c.root) << c.path;
  EXPECT_FALSE(IsUncShareRoot("//srv/share"));
}

TEST(PathTextTest, NormalizingADirectoryTrimsBlanksAndEndsInOneSeparator) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"  D:\\TEMP  ", "D:\\TEMP\\"},
      {"D:\\TEMP\\", "D:\\TEMP\\"},
      {"", ""},
      {"   ", ""},
      {"\tD:\\T", "\tD:\\T\\"},  // only blanks are trimmed
      {std::string("D:\\") + kHyou, std::string("D:\\") + kHyou + "\\"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NormalizeDirectory(c.in, kSjis), c.out) << c.in;
  EXPECT_EQ(NormalizeDirectory(" /var/tmp "), "/var/tmp/");
  EXPECT_EQ(NormalizeDirectory("/var/tmp/"), "/var/tmp/");
}

TEST(PathTextTest, NamesAndParentsSplitAtRealSeparatorsOnly) {
  const std::string hyouDir = std::string("C:\\") + kHyou + "\\a.txt";
  EXPECT_EQ(FileNamePart(hyouDir, kSjis), "a.txt");
  EXPECT_EQ(ParentPath(hyouDir, kSjis), std::string("C:\\") + kHyou);
  EXPECT_EQ(FileNamePart(std::string("C:\\x") + kHyou, kSjis), std::string("x") + kHyou);
  EXPECT_EQ(FileNamePart("D:a.txt", kSjis), "a.txt");
  EXPECT_EQ(ParentPath("D:\\a.txt", kSjis), "D:\\");
  EXPECT_EQ(ParentPath("D:\\", kSjis), "D:\\");
  EXPECT_EQ(FileNamePart("あ/b"), "b");
  EXPECT_EQ(ParentPath("あ/b"), "あ");
  EXPECT_EQ(ParentPath("/a"), "/");
  EXPECT_EQ(ParentPath("/"), "/");
  EXPECT_EQ(FileNamePart("d:x"), "d:x");  // no drives on POSIX
}

TEST(CheckRangeTest, AValueOutsideTheRangeBecomesZeroNotTheNearerBound) {
  const struct {
    int value, low, high, out;
  } cases[] = {{5, 0, 3, 0}, {3, 0, 3, 3}, {-1, 0, 3, 0}, {0, 0, 3, 0}, {2, 1, 2, 2}, {0, 1, 2, 0}};
  for (const auto& c : cases) {
    int value = c.value;
    CheckRange(value, c.low, c.high);
    EXPECT_EQ(value, c.out) << c.value;
  }
}

}  // namespace
}  // namespace mxt::fileconv
