#include "fileconv/ConversionRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileconv/OneFileConversion.h"
#include "fileconv/PathIndex.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "fileconv/UserError.h"
#include "tests/support/Bytes.h"
#include "tests/support/ConversionFixture.h"
#include "tests/support/TempDir.h"

namespace mxt::fileconv {
namespace {

using testing::Bytes;
using testing::ReadFile;
using testing::WriteFile;

const std::string kShiftJIS = Bytes("88 9F 0A");

class ConversionRunTest : public testing::ConversionFixture {
 protected:
  void SetUp() override {
    ConversionFixture::SetUp();
    Settings.OutputKanjiCode = 1;
  }

  FileEntry& AddFile(const std::string& name, const std::string& content) {
    WriteFile(dir_ / name, content);
    EXPECT_TRUE(AddFileToList(dir_ / name, host_));
    return *Files.Inputs.back();
  }
};

TEST_F(ConversionRunTest, LocksTheWindowForTheRunAndRestoresItAfter) {
  AddFile("a", kShiftJIS);
  RunStatus.StatusText = " selected";
  ConvertAll(host_);
  const std::vector<std::string> expected = {
      "status ",
      "lock 11",
      "button 中断(&B) cancels",
      "busy",
      "status  Converting " + (dir_ / "a") + " (1/1)",
      "redraw input 0",
      "events",
      "redraw input 0",
      "idle",
      "button 変換(&C)",
      "unlock 11",
      "status  selected",
      "refresh focus",
  };
  EXPECT_EQ(host_.calls, expected);
  EXPECT_FALSE(RunStatus.Busy);
  EXPECT_TRUE(RunStatus.AllDone);
}

TEST_F(ConversionRunTest, TheConvertButtonStopsARunAfterTheCurrentFile) {
  FileEntry& first = AddFile("a", kShiftJIS);
  FileEntry& second = AddFile("b", kShiftJIS);
  host_.onPendingEvents = [&] { ConvButtonClick(host_); };
  ConvButtonClick(host_);
  EXPECT_EQ(first.State, RunResult::Converted);
  EXPECT_EQ(second.State, RunResult::None);
  EXPECT_FALSE(RunStatus.AllDone);
  EXPECT_FALSE(RunStatus.RunGuard);

  // The next run takes up the rest without asking.
  host_.onPendingEvents = nullptr;
  host_.messages.clear();
  ConvButtonClick(host_);
  EXPECT_EQ(second.State, RunResult::Converted);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(RunStatus.AllDone);
}

TEST_F(ConversionRunTest, AsksBeforeConvertingAFinishedListAgain) {
  FileEntry& entry = AddFile("a", kShiftJIS);
  ConvertAll(host_);
  ASSERT_EQ(entry.State, RunResult::Converted);

  host_.answer = MessageAnswer::Cancel;
  ConvertAll(host_);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "変換し直しますか ?");
  EXPECT_EQ(entry.State, RunResult::Converted);

  host_.answer = MessageAnswer::Ok;
  Settings.OutputKanjiCode = 0;
  ConvertAll(host_);
  EXPECT_EQ(ReadFile(dir_ / "a"), kShiftJIS) << "converted back";
  EXPECT_EQ(StatusColumns(entry, ListId::Input), "Converted:\tEUC to Shift-JIS");
}

TEST_F(ConversionRunTest, AFileAddedToAFinishedListIsConvertedWithoutTheQuestion) {
  AddFile("a", kShiftJIS);
  ConvertAll(host_);
  FileEntry& added = AddFile("b", kShiftJIS);
  ConvertAll(host_);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(added.State, RunResult::Converted);
}

// Nothing but paint events gets through while one file converts: a large one shows on
// the status line how far it is.
TEST_F(ConversionRunTest, ALargeFileShowsHowFarItIs) {
  std::string text;
  while (text.size() < 4096)
    text += kShiftJIS;
  FileEntry& entry = AddFile("large", text);
  ASSERT_EQ(::truncate(entry.Path.c_str(), std::int64_t{65} << 20), 0);  // the rest a hole
  ConvertAll(host_);
  EXPECT_EQ(entry.State, RunResult::Converted);
  const std::string converting = "status  Converting " + entry.Path + " (1/1)";
  const auto statuses = host_.CallsStartingWith(converting);
  ASSERT_GE(statuses.size(), 100u);
  EXPECT_EQ(statuses.front(), converting);
  EXPECT_EQ(statuses[1], converting + " 0%");
  EXPECT_EQ(statuses[51], converting + " 50%");
  EXPECT_EQ(statuses.back(), converting + " 100%");
  EXPECT_EQ(host_.CallsStartingWith("paint").size(), statuses.size() - 1);
  EXPECT_EQ(host_.CallsStartingWith("events").size(), 1u);
}

TEST_F(ConversionRunTest, AnErrorAbortsTheEntryAndEndsTheRunWithTheWindowRestored) {
  FileEntry& bad = AddFile("a", kShiftJIS);
  FileEntry& after = AddFile("b", kShiftJIS);
  Settings.WayToOverwrite = 1;
  Settings.TempDir = dir_ / "missing/";
  Settings.QuitWhenConverted = true;
  try {
    ConvertAll(host_);
    FAIL() << "no error";
  } catch (const UserError& error) {
    // The cause and the name it could not take.
    EXPECT_EQ(std::string(error.what())
                  .rfind("テンポラリファイルを作成できません: I/O ｴﾗｰ (2) "
                         "No such file or directory: " +
                             dir_ / "missing/~MX",
                         0),
              0u)
        << error.what();
  }
  EXPECT_EQ(bad.State, RunResult::Aborted);
  EXPECT_EQ(StatusColumns(bad, ListId::Input), "Aborted.");
  EXPECT_EQ(after.State, RunResult::None);
  EXPECT_EQ(host_.CallsStartingWith("button").back(), "button 変換(&C)");
  EXPECT_TRUE(host_.CallsStartingWith("close").empty());
  EXPECT_FALSE(RunStatus.Busy);
  EXPECT_EQ(ReadFile(dir_ / "a"), kShiftJIS);
}

TEST_F(ConversionRunTest, QuitsAfterACompleteRunWhenAsked) {
  AddFile("a", kShiftJIS);
  Settings.QuitWhenConverted = true;
  ConvertAll(host_);
  EXPECT_EQ(host_.CallsStartingWith("close").size(), 1u);
}

TEST_F(ConversionRunTest, OneOutputFileNeverReceivesTwoKanjiCodes) {
  AddFile("a", kShiftJIS);
  UseOutputFile(dir_ / "out", host_);
  ConvertAll(host_);
  ASSERT_EQ(Files.Output->Code, 1);

  AddFile("b", kShiftJIS);
  Settings.OutputKanjiCode = 2;
  ConvertAll(host_);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(Files.Inputs[1]->State, RunResult::None);
}

TEST_F(ConversionRunTest, AnOutputFileOfPlainTextTakesAnyCode) {
  AddFile("a", "ascii\n");
  UseOutputFile(dir_ / "out", host_);
  ConvertAll(host_);
  EXPECT_EQ(Files.Output->Code, kNoKanjiWritten);
  EXPECT_EQ(StatusColumns(*Files.Output, ListId::Output), "Output:\t");
  AddFile("b", kShiftJIS);
  Settings.OutputKanjiCode = 2;
  ConvertAll(host_);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(StatusColumns(*Files.Output, ListId::Output), "Output:\tJIS");
}

TEST_F(ConversionRunTest, RejectsOutputFilesItCannotUse) {
  AddFile("in", kShiftJIS);
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {dir_ / "*.txt", dir_ / "*.txt" + "\r出力先の指定にワイルドカードを含めることはできません。"},
      {dir_.Path() + "/", dir_.Path() + "/" + "\r出力先の指定にファイル名が含まれていません。"},
      {dir_ / "in",
       dir_ / "in" +
           "\rこのファイルは、すでに入力元として指定されているため、出力先には指定できません。"},
  };
  for (const auto& c : cases) {
    host_.messages.clear();
    Settings.CommandLineError = false;
    Settings.OutputToFile = true;
    SetOutputFile(c.path, host_);
    ASSERT_EQ(host_.messages.size(), 1u) << c.path;
    EXPECT_EQ(host_.messages[0].text, c.message);
    EXPECT_TRUE(Settings.CommandLineError);
    EXPECT_FALSE(Settings.OutputToFile);
  }
  SetOutputFile(dir_ / "new.txt", host_);
  EXPECT_TRUE(Settings.OutputToFile);
  EXPECT_EQ(Files.Output->Path, dir_ / "new.txt");
  EXPECT_EQ(Files.Output->Code, kNoKanjiWritten);
}

TEST_F(ConversionRunTest, APathInAMessageIsShownAsUtf8) {
  SetOutputFile("bad\xFF*.txt", host_);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text.substr(0, 6), "bad\xEF\xBF\xBD");
}

TEST_F(ConversionRunTest, AnInputFileThatIsTheOutputFileIsRefusedAndCounted) {
  UseOutputFile(dir_ / "out", host_);
  WriteFile(dir_ / "a", "a");
  const std::size_t added = AddFileBatch({dir_ / "a", dir_ / "a", dir_ / "out"}, host_);
  EXPECT_EQ(added, 1u);
  ReportNotAdded(3, added, host_);
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(
      host_.messages[0].text,
      dir_ / "out" +
          "\rこのファイルは、すでに出力先として指定されているため、入力元には指定できません。");
  EXPECT_EQ(host_.messages[1].text,
            "2 個のファイルは、すでに選択されていたため追加されませんでした。");
  EXPECT_EQ(host_.messages[1].kind, MessageKind::Information);
}

TEST(ResultCodeTextTest, NamesTheCodesOfAnEntry) {
  const struct {
    std::uint8_t code;
    const char* text;
  } cases[] = {
      {0x01, "Shift-JIS"},
      {0x11, "Shift-JIS to EUC"},
      {0x21, "Shift-JIS to JIS"},
      {0x02, "EUC to Shift-JIS"},
      {0x12, "EUC"},
      {0x22, "EUC to JIS"},
      {0x03, "JIS to Shift-JIS"},
      {0x13, "JIS to EUC"},
      {0x23, "JIS"},
      {0x14, "Ascii"},
      {0x25, "Unknown"},
      {0x06, "Binary"},
      {0x17, "UTF-8"},
      {0x00, ""},
      {0x08, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResultCodeText(c.code), c.text) << int(c.code);
}

TEST(ShortenFileNameTest, KeepsTheLongestPrefixThatFits) {
  ResetFileLists();
  testing::RecordingHost host;
  host.measures = true;
  Files.NameColumnWidth = 100;
  EXPECT_EQ(ShortenFileName("short.txt", host), "short.txt");
  EXPECT_EQ(ShortenFileName("a-rather-long-name.txt", host), "a-rathe...");
  EXPECT_EQ(Files.LongestNameWidth, 220);
  Files.NameColumnWidth = 5;
  EXPECT_EQ(ShortenFileName("abc", host), "a");
  host.measures = false;
  EXPECT_EQ(ShortenFileName("a-rather-long-name.txt", host), "a-rather-long-name.txt");
  // A name in UTF-8 is cut between its characters, never inside one (30 pixels each here).
  host.measures = true;
  Files.NameColumnWidth = 100;
  EXPECT_EQ(ShortenFileName("あいうえお", host), "あい...");
  Files.NameColumnWidth = 5;
  EXPECT_EQ(ShortenFileName("あいう", host), "あ");
}

}  // namespace
}  // namespace mxt::fileconv
