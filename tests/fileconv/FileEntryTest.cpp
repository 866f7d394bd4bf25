#include "fileconv/FileEntry.h"

#include <gtest/gtest.h>

namespace mxt::fileconv {
namespace {

using engine::KanjiCode;
using Image = FileImage;
using R = SkipReason;

TEST(FileEntryTest, EverySkipReasonHasItsTextAndImage) {
  const struct {
    SkipReason reason;
    std::string_view text;
    std::optional<FileImage> image;
  } cases[] = {
      {R::FileNotFound, "File not found.", Image::IsntFileImage},
      {R::VolumeLabel, "Is not a file.", Image::IsntFileImage},
      {R::Directory, "Is not a file.", Image::DirImage},
      {R::ReadOnly, "File is read only.", std::nullopt},
      {R::Empty, "File is empty.", std::nullopt},
      {R::AccessDenied, "File access denied. Maybe file is being used.", std::nullopt},
      {R::Binary, "May be binary file.", Image::BinaryFileImage},
      {R::AlreadyShiftJIS, "Shift-JIS code already exists.", Image::ShiftJISFileImage},
      {R::AlreadyEUC, "EUC already exists.", Image::EUCFileImage},
      {R::AlreadyJIS, "JIS code already exists.", Image::JISFileImage},
      {R::NoKanji, "No KANJI code exists.", Image::AsciiFileImage},
      {R::CannotIdentify, "Cannot identify KANJI code.", Image::CantIdentFileImage},
      {R::NothingToDo, "Nothing to do.", std::nullopt},
      {R::None, "", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StatusText(c.reason), c.text) << int(c.reason);
    EXPECT_EQ(ImageForSkip(c.reason), c.image) << int(c.reason);
  }
}

TEST(FileEntryTest, AConvertedFileShowsTheCodeItIsInNow) {
  const struct {
    KanjiCode detected;
    std::uint8_t output;
    bool toFile;
    FileImage image;
  } cases[] = {
      {KanjiCode::ShiftJIS, 1, false, Image::EUCFileImage},
      {KanjiCode::EUC, 2, false, Image::JISFileImage},
      {KanjiCode::JIS, 0, false, Image::ShiftJISFileImage},
      {KanjiCode::Ascii, 1, false, Image::AsciiFileImage},
      {KanjiCode::Unknown, 1, false, Image::CantIdentFileImage},
      {KanjiCode::ShiftJIS, 1, true, Image::ShiftJISFileImage},
      {KanjiCode::JIS, 0, true, Image::JISFileImage},
      {KanjiCode::Binary, 0, true, Image::BinaryFileImage},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ImageAfterConversion(c.detected, c.output, c.toFile), c.image)
        << int(c.detected) << " " << int(c.output) << " " << c.toFile;
  }
  EXPECT_EQ(ImageForOutputCode(kNoKanjiWritten), Image::UnknownFileImage);
}

// A line break or another control character in a name would hide in the list line; two
// such names must not look alike.
TEST(FileEntryTest, AControlCharacterInANameShowsAsAQuestionMark) {
  EXPECT_EQ(FileEntry::InputEntry("/d/nl\nname.txt").Name, "nl?name.txt");
  EXPECT_EQ(FileEntry::InputEntry("/d/\x01tab\there\x7F").DisplayName, "?tab?here?");
  EXPECT_EQ(FileEntry::InputEntry("/d/\xE6\x97\xA5 x.txt").Name, "\xE6\x97\xA5 x.txt");
  EXPECT_EQ(FileEntry::InputEntry("/d/nl\nname.txt").Path, "/d/nl\nname.txt");
}

TEST(FileEntryTest, NewEntriesStartUnprocessed) {
  const FileEntry input = FileEntry::InputEntry("/data/メモ.txt");
  EXPECT_EQ(input.Name, "メモ.txt");
  EXPECT_EQ(input.DisplayName, "メモ.txt");
  EXPECT_EQ(input.DiskName, "");
  EXPECT_EQ(input.State, RunResult::None);
  EXPECT_EQ(input.Reason, SkipReason::FileNotFound);
  EXPECT_EQ(input.Code, 0);
  EXPECT_EQ(input.Bitmap, Image::UnknownFileImage);
  const FileEntry output = FileEntry::OutputEntry("/data/out.txt");
  EXPECT_EQ(output.Name, "out.txt");
  EXPECT_EQ(output.Code, kNoKanjiWritten);
  EXPECT_EQ(output.Bitmap, Image::UnknownFileImage);
}

}  // namespace
}  // namespace mxt::fileconv
