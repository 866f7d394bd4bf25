#include "fileconv/ConversionRun.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileconv/NameColumn.h"
#include "fileconv/UserError.h"
#include "platform/StopSignals.h"
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
  ConversionRunTest() { settings_.OutputKanjiCode = 1; }

  FileEntry& AddFile(const std::string& name, const std::string& content) {
    WriteFile(dir_ / name, content);
    return Add(dir_ / name);
  }
};

TEST_F(ConversionRunTest, TellsTheWindowWhatItDoes) {
  AddFile("a", kShiftJIS);
  AddFile("b", kShiftJIS);
  host_.calls.clear();
  run_.ConvertAll();
  const std::vector<std::string> expected = {
      "run started",    "file " + (dir_ / "a") + " 1/2",
      "redraw input 0", "events",
      "redraw input 0", "file " + (dir_ / "b") + " 2/2",
      "redraw input 1", "events",
      "redraw input 1", "run ended",
  };
  EXPECT_EQ(host_.calls, expected);
  EXPECT_FALSE(run_.Busy());
  EXPECT_TRUE(run_.AllDone());
}

TEST_F(ConversionRunTest, TheConvertButtonStopsARunAfterTheCurrentFile) {
  FileEntry& first = AddFile("a", kShiftJIS);
  FileEntry& second = AddFile("b", kShiftJIS);
  host_.onPendingEvents = [&] { run_.ConvertButtonClicked(); };
  run_.ConvertButtonClicked();
  EXPECT_EQ(first.State, RunResult::Converted);
  EXPECT_EQ(second.State, RunResult::None);
  EXPECT_FALSE(run_.AllDone());
  EXPECT_EQ(host_.CallsStartingWith("run started").size(), 1u) << "no run inside the run";

  // The next run takes up the rest without asking.
  host_.onPendingEvents = nullptr;
  host_.messages.clear();
  run_.ConvertButtonClicked();
  EXPECT_EQ(second.State, RunResult::Converted);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(run_.AllDone());
}

// The file in hand is finished first; the run still ends as stopped, after the last too.
TEST_F(ConversionRunTest, AStopSignalDuringTheLastFileEndsTheRunAsStopped) {
  AddFile("a", kShiftJIS);
  AddFile("b", kShiftJIS);
  platform::CatchStopSignals();
  platform::ClearStopSignal();
  int files = 0;
  host_.onPendingEvents = [&] {
    if (++files == 2) ::raise(SIGINT);
  };
  try {
    run_.ConvertAll();
    ADD_FAILURE() << "no error";
  } catch (const UserError& raised) {
    EXPECT_EQ(std::string(raised.what()), "終了の要求を受けたため、変換を中断しました");
  }
  platform::ClearStopSignal();
  ::signal(SIGINT, SIG_DFL);
  EXPECT_EQ(files_.Input(1).State, RunResult::Converted);
  EXPECT_FALSE(run_.Busy());
}

TEST_F(ConversionRunTest, AsksBeforeConvertingAFinishedListAgain) {
  FileEntry& entry = AddFile("a", kShiftJIS);
  run_.ConvertAll();
  ASSERT_EQ(entry.State, RunResult::Converted);

  host_.answer = MessageAnswer::Cancel;
  run_.ConvertAll();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "変換し直しますか ?");
  EXPECT_EQ(entry.State, RunResult::Converted);

  host_.answer = MessageAnswer::Ok;
  settings_.OutputKanjiCode = 0;
  run_.ConvertAll();
  EXPECT_EQ(ReadFile(dir_ / "a"), kShiftJIS) << "converted back";
  EXPECT_EQ(StatusColumns(entry, ListId::Input), "Converted:\tEUC to Shift-JIS");
  EXPECT_TRUE(host_.CallsStartingWith("close").empty());

  // A file added to the finished list is converted without the question, and a complete
  // run quits when asked.
  host_.messages.clear();
  settings_.OutputKanjiCode = 1;
  settings_.QuitWhenConverted = true;
  FileEntry& added = AddFile("b", kShiftJIS);
  run_.ConvertAll();
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(added.State, RunResult::Converted);
  EXPECT_EQ(host_.CallsStartingWith("close").size(), 1u);
}

// Nothing but paint events gets through while one file converts: a large one shows on
// the status line how far it is.
TEST_F(ConversionRunTest, ALargeFileShowsHowFarItIs) {
  std::string text;
  while (text.size() < 4096)
    text += kShiftJIS;
  FileEntry& entry = AddFile("large", text);
  ASSERT_EQ(::truncate(entry.Path.c_str(), std::int64_t{65} << 20), 0);  // the rest a hole
  run_.ConvertAll();
  EXPECT_EQ(entry.State, RunResult::Converted);
  const auto shown = host_.CallsStartingWith("progress");
  ASSERT_EQ(shown.size(), 101u) << "each percentage once";
  EXPECT_EQ(shown.front(), "progress 0");
  EXPECT_EQ(shown[50], "progress 50");
  EXPECT_EQ(shown.back(), "progress 100");
  EXPECT_EQ(host_.CallsStartingWith("events").size(), 1u);
}

TEST_F(ConversionRunTest, AnErrorAbortsTheEntryAndEndsTheRunWithTheWindowRestored) {
  FileEntry& bad = AddFile("a", kShiftJIS);
  FileEntry& after = AddFile("b", kShiftJIS);
  settings_.WayToOverwrite = 1;
  settings_.TempDir = dir_ / "missing/";
  settings_.QuitWhenConverted = true;
  try {
    run_.ConvertAll();
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
  EXPECT_EQ(host_.calls.back(), "run ended");
  EXPECT_TRUE(host_.CallsStartingWith("close").empty());
  EXPECT_FALSE(run_.Busy());
  EXPECT_EQ(ReadFile(dir_ / "a"), kShiftJIS);
}

TEST_F(ConversionRunTest, OneOutputFileNeverReceivesTwoKanjiCodes) {
  AddFile("a", kShiftJIS);
  OutputTo(dir_ / "out");
  run_.ConvertAll();
  ASSERT_EQ(files_.Output()->Code, 1);

  AddFile("b", kShiftJIS);
  settings_.OutputKanjiCode = 2;
  run_.ConvertAll();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(files_.Input(1).State, RunResult::None);
}

TEST_F(ConversionRunTest, AnOutputFileOfPlainTextTakesAnyCode) {
  AddFile("a", "ascii\n");
  OutputTo(dir_ / "out");
  run_.ConvertAll();
  EXPECT_EQ(files_.Output()->Code, kNoKanjiWritten);
  EXPECT_EQ(StatusColumns(*files_.Output(), ListId::Output), "Output:\t");
  AddFile("b", kShiftJIS);
  settings_.OutputKanjiCode = 2;
  run_.ConvertAll();
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(StatusColumns(*files_.Output(), ListId::Output), "Output:\tJIS");
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
      // Shown as UTF-8.
      {"bad\xFF*.txt",
       "bad\xEF\xBF\xBD*.txt\r出力先の指定にワイルドカードを含めることはできません。"},
  };
  for (const auto& c : cases) {
    host_.messages.clear();
    settings_.CommandLineError = false;
    settings_.OutputToFile = true;
    run_.SetOutputFile(c.path);
    ASSERT_EQ(host_.messages.size(), 1u) << c.path;
    EXPECT_EQ(host_.messages[0].text, c.message);
    EXPECT_TRUE(settings_.CommandLineError);
    EXPECT_FALSE(settings_.OutputToFile);
  }
  run_.SetOutputFile(dir_ / "new.txt");
  EXPECT_TRUE(settings_.OutputToFile);
  EXPECT_EQ(files_.Output()->Path, dir_ / "new.txt");
  EXPECT_EQ(files_.Output()->Code, kNoKanjiWritten);
}

TEST_F(ConversionRunTest, AnInputFileThatIsTheOutputFileIsRefusedAndCounted) {
  OutputTo(dir_ / "out");
  WriteFile(dir_ / "a", "a");
  const std::size_t added = files_.AddBatch({dir_ / "a", dir_ / "a", dir_ / "out"}, host_);
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

// A name that ends in a folder's name, "." or ".." is no file of the folder it is written
// in: the names after it in that folder stay there.
TEST_F(ConversionRunTest, ABatchNamesEveryFileByItsOwnFolder) {
  ASSERT_EQ(::mkdir((dir_ / "sub").c_str(), 0755), 0);
  for (const char* name : {"a.txt", "b.txt", "sub/a.txt", "sub/b.txt"})
    WriteFile(dir_ / name, "a");
  files_.AddBatch({dir_ / "sub/", dir_ / "sub/a.txt", dir_ / "sub/..", dir_ / "sub/b.txt"}, host_);
  std::vector<std::string> listed;
  for (const auto& entry : files_.Inputs())
    listed.push_back(entry->Path);
  EXPECT_EQ(listed, (std::vector<std::string>{dir_ / "sub", dir_ / "sub/a.txt", dir_.Path(),
                                              dir_ / "sub/b.txt"}));
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
      {0x17, "UTF-8 to EUC"},
      {0x37, "UTF-8"},
      {0x31, "Shift-JIS to UTF-8"},
      {0x33, "JIS to UTF-8"},
      {0x00, ""},
      {0x08, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResultCodeText(c.code), c.text) << int(c.code);
}

// Ten pixels a byte, and "x" as wide as the test wants the column to be a sixteenth of.
testing::RecordingHost ColumnHost(int xWidth) {
  testing::RecordingHost host;
  host.measure = [xWidth](std::string_view text) {
    return text == "x" ? xWidth : static_cast<int>(text.size()) * 10;
  };
  return host;
}

TEST(NameColumnTest, KeepsTheLongestPrefixThatFits) {
  NameColumn column;
  testing::RecordingHost host = ColumnHost(10);
  column.Measure(host);
  ASSERT_EQ(column.Width(), 160);
  int width = 0;
  EXPECT_EQ(column.Shorten("short.txt", host, width), "short.txt");
  EXPECT_EQ(width, 90);
  EXPECT_EQ(column.Shorten("a-rather-long-name.txt", host, width), "a-rather-long...");
  EXPECT_EQ(width, 220);
  // A name in UTF-8 is cut between its characters, never inside one (30 pixels each here).
  EXPECT_EQ(column.Shorten("あいうえおかきくけこ", host, width), "あいうえ...");
  host = ColumnHost(0);
  column.Measure(host);
  EXPECT_EQ(column.Shorten("abc", host, width), "a");
  EXPECT_EQ(column.Shorten("あいう", host, width), "あ");
  host.measure = nullptr;
  EXPECT_EQ(column.Shorten("a-rather-long-name.txt", host, width), "a-rather-long-name.txt");
  EXPECT_EQ(width, 0);
}

// Names shown whole push the status columns past the widest of both lists; the widest gone,
// they come back.
TEST(NameColumnTest, StatusColumnsFollowTheWidestNameShownWhole) {
  testing::TempDir dir;
  testing::RecordingHost host = ColumnHost(5);
  FileList files;
  files.MeasureNames(host);
  const std::array<int, 2> narrow = files.Column().StatusTabStops();
  EXPECT_EQ(narrow[0], 80 + 8);
  ASSERT_TRUE(files.Add(dir / "a-name-of-twenty-one", "", host));
  EXPECT_FALSE(files.FitStatusColumns(false)) << "shortened names keep the column";
  EXPECT_TRUE(files.FitStatusColumns(true));
  EXPECT_EQ(files.Column().StatusTabStops()[0], 200 + 8);
  EXPECT_EQ(files.Column().StatusTabStops()[1] - files.Column().StatusTabStops()[0],
            narrow[1] - narrow[0]);
  files.SetOutput(dir / "an-output-name-of-thirty-bytes", host);
  EXPECT_TRUE(files.FitStatusColumns(true));
  EXPECT_EQ(files.Column().StatusTabStops()[0], 300 + 8);
  files.RemoveOutput();
  files.Clear();
  EXPECT_TRUE(files.FitStatusColumns(true));
  EXPECT_EQ(files.Column().StatusTabStops(), narrow);
}

}  // namespace
}  // namespace mxt::fileconv
