#include "fileconv/FileConversion.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <set>

#include "fileconv/ConversionRun.h"
#include "fileconv/FileList.h"
#include "fileconv/UserError.h"
#include "platform/StopSignals.h"
#include "tests/support/Bytes.h"
#include "tests/support/ConversionFixture.h"
#include "tests/support/Iconv.h"
#include "tests/support/TempDir.h"

namespace mxt::fileconv {
namespace {

using engine::NewlineCode;
using testing::Bytes;
using testing::Notation;
using testing::ReadFile;
using testing::WriteFile;

const std::string kShiftJIS = Bytes("'A' 88 9F 0A");
const std::string kEUC = Bytes("'A' B0 A1 0A");
const std::string kJIS = Bytes("'A' ESC '$B' '0!' ESC '(J' 0A");

// A child process holds an exclusive lock on a file until the guard goes.
class LockHeldElsewhere {
 public:
  explicit LockHeldElsewhere(const std::string& path) {
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    child_ = ::fork();
    if (child_ == 0) {
      const int fd = ::open(path.c_str(), O_RDONLY);
      ::flock(fd, LOCK_EX);
      ::write(ready[1], "x", 1);
      ::pause();
      ::_exit(0);
    }
    char byte;
    EXPECT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
  }
  ~LockHeldElsewhere() {
    ::kill(child_, SIGKILL);
    ::waitpid(child_, nullptr, 0);
  }

 private:
  pid_t child_;
};

using FileConversionTest = testing::ConversionFixture;

// Makes a file of this content.
std::function<void(const std::string&)> Text(const std::string& content) {
  return [content](const std::string& path) { WriteFile(path, content); };
}

TEST_F(FileConversionTest, SkipsWhatItNeedNotOrMayNotConvert) {
  const struct {
    const char* name;
    std::function<void(const std::string&)> make;
    std::uint8_t outputCode;
    std::uint8_t inputCode;
    SkipReason reason;
    FileImage image;
  } cases[] = {
      {"missing", [](const std::string&) {}, 0, 0, SkipReason::FileNotFound,
       FileImage::IsntFileImage},
      {"folder", [](const std::string& p) { ::mkdir(p.c_str(), 0755); }, 0, 0,
       SkipReason::Directory, FileImage::DirImage},
      {"fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }, 0, 0,
       SkipReason::VolumeLabel, FileImage::IsntFileImage},
      {"readonly",
       [](const std::string& p) {
         WriteFile(p, kShiftJIS);
         ::chmod(p.c_str(), 0444);
       },
       1, 0, SkipReason::ReadOnly, FileImage::UnknownFileImage},
      {"empty", Text(""), 0, 0, SkipReason::Empty, FileImage::UnknownFileImage},
      {"binary", Text(std::string(64, '\x01')), 0, 0, SkipReason::Binary,
       FileImage::BinaryFileImage},
      {"sjis", Text(kShiftJIS), 0, 0, SkipReason::AlreadyShiftJIS, FileImage::ShiftJISFileImage},
      {"euc", Text(kEUC), 1, 0, SkipReason::AlreadyEUC, FileImage::EUCFileImage},
      {"jis", Text(kJIS), 2, 0, SkipReason::AlreadyJIS, FileImage::JISFileImage},
      {"ascii", Text("plain\n"), 0, 0, SkipReason::NoKanji, FileImage::AsciiFileImage},
      {"unknown", Text(Bytes("E0 A1 0A")), 1, 0, SkipReason::CannotIdentify,
       FileImage::CantIdentFileImage},
      {"fixed", Text(kShiftJIS), 0, 1, SkipReason::NothingToDo, FileImage::UnknownFileImage},
  };
  for (const auto& c : cases) {
    testing::ConversionRig rig(dir_.Path() + "/");
    const std::string path = Path(c.name);
    c.make(path);
    rig.settings.OutputKanjiCode = c.outputCode;
    rig.settings.InputKanjiCode = c.inputCode;
    const FileEntry& entry = rig.Convert(path);
    EXPECT_EQ(entry.State, RunResult::Skipped) << c.name;
    EXPECT_EQ(entry.Reason, c.reason) << c.name;
    EXPECT_EQ(entry.Bitmap, c.image) << c.name;
    EXPECT_TRUE(rig.host.messages.empty()) << c.name;
  }
  EXPECT_EQ(ReadFile(Path("sjis")), kShiftJIS);
}

TEST_F(FileConversionTest, AFileHeldByAnotherProgramIsSkippedAsAccessDenied) {
  WriteFile(Path("held"), kShiftJIS);
  settings_.OutputKanjiCode = 1;
  LockHeldElsewhere lock(Path("held"));
  const FileEntry& entry = Convert(Path("held"));
  EXPECT_EQ(entry.Reason, SkipReason::AccessDenied);
  EXPECT_EQ(ReadFile(Path("held")), kShiftJIS);
}

TEST_F(FileConversionTest, TheCopyMethodKeepsTheSourcesDirectoryEntry) {
  WriteFile(Path("a.txt"), kShiftJIS);
  ::chmod(Path("a.txt").c_str(), 0755);
  const ino_t inode = testing::LinkStatOf(Path("a.txt")).st_ino;
  settings_.OutputKanjiCode = 2;
  settings_.WayToOverwrite = 1;
  Convert(Path("a.txt"));
  EXPECT_EQ(Notation(ReadFile(Path("a.txt"))), Notation(kJIS));
  EXPECT_EQ(testing::LinkStatOf(Path("a.txt")).st_ino, inode);
  EXPECT_EQ(testing::LinkStatOf(Path("a.txt")).st_mode & 07777, 0755u);
  EXPECT_EQ(FolderContent(), std::set<std::string>{"a.txt"}) << "temporary file left";
}

TEST_F(FileConversionTest, KeepsTheLastWriteTimeWhenAsked) {
  WriteFile(Path("a.txt"), kShiftJIS);
  const struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 123456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, Path("a.txt").c_str(), times, 0), 0);
  // Renamed to EUC, then copied back to Shift-JIS.
  const struct {
    std::uint8_t way;
    std::uint8_t outputCode;
  } runs[] = {{0, 1}, {1, 0}};
  for (const auto& run : runs) {
    testing::ConversionRig rig(dir_.Path() + "/");
    rig.settings.PreserveTimestamp = true;
    rig.settings.WayToOverwrite = run.way;
    rig.settings.OutputKanjiCode = run.outputCode;
    EXPECT_EQ(rig.Convert(Path("a.txt")).State, RunResult::Converted);
    const struct stat info = testing::LinkStatOf(Path("a.txt"));
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000000) << int(run.way);
    EXPECT_EQ(info.st_mtim.tv_nsec, 123456789) << int(run.way);
  }
  EXPECT_EQ(Notation(ReadFile(Path("a.txt"))), Notation(kShiftJIS));
}

// A first line longer than the part classified, or a text that ends in its only CR: the
// newline is still found, and a text whose newlines are already the kind asked for, or that
// has none, is left alone.
TEST_F(FileConversionTest, TheFirstNewlineIsLookedForPastTheClassifiedPart) {
  const std::string longLine(40000, 'a');
  const std::string crLast(32767, 'a');  // the classified part's last byte a CR, its LF past it
  const struct {
    std::string input;
    std::string expected;  // empty: left alone
  } cases[] = {
      {longLine + "\r\nb\r\n", longLine + "\nb\n"}, {crLast + "\r\nb\r\n", crLast + "\nb\n"},
      {Bytes("88 9F 0D"), Bytes("88 9F 0A")},       {longLine + Bytes("88 9F 0A 'b' 0A"), ""},
      {longLine + longLine + Bytes("88 9F"), ""},
  };
  for (const auto& c : cases) {
    testing::ConversionRig rig(dir_.Path() + "/");
    rig.settings.OutputNewlineCode = NewlineCode::LF;
    ::unlink(Path("case").c_str());
    WriteFile(Path("case"), c.input);
    const RunResult expected = c.expected.empty() ? RunResult::Skipped : RunResult::Converted;
    EXPECT_EQ(rig.Convert(Path("case")).State, expected) << c.input.size();
    const std::string& kept = c.expected.empty() ? c.input : c.expected;
    EXPECT_TRUE(ReadFile(Path("case")) == kept) << c.input.size();
  }
}

TEST_F(FileConversionTest, DecidesByCodeNewlinesAndTheForcedInput) {
  const struct {
    const char* input;
    std::function<void(Settings&)> settings;
    const char* expected;
  } cases[] = {
      // Only the newlines change.
      {"'plain' 0A", [](Settings& s) { s.OutputNewlineCode = NewlineCode::CRLF; }, "'plain' 0D 0A"},
      // Forced rewriting of newlines that already match.
      {"88 9F 0D 0A",
       [](Settings& s) {
         s.OutputNewlineCode = NewlineCode::CRLF;
         s.ForceNewlineConv = true;
       },
       "88 9F 0D 0A"},
      // A fixed JIS input is always re-encoded in the chosen set.
      {"ESC '$@' '0!' ESC '(B'",
       [](Settings& s) {
         s.InputKanjiCode = 3;
         s.OutputKanjiCode = 2;
       },
       "ESC '$B' '0!' ESC '(J'"},
      {"88 9F 1A 1A",
       [](Settings& s) {
         s.OutputKanjiCode = 1;
         s.RemoveCtrlZ = true;
       },
       "B0 A1 1A"},
  };
  for (const auto& c : cases) {
    testing::ConversionRig rig(dir_.Path() + "/");
    c.settings(rig.settings);
    ::unlink(Path("case").c_str());
    WriteFile(Path("case"), Bytes(c.input));
    const FileEntry& entry = rig.Convert(Path("case"));
    EXPECT_EQ(entry.State, RunResult::Converted) << c.input;
    EXPECT_EQ(Notation(ReadFile(Path("case"))), Notation(Bytes(c.expected))) << c.input;
  }
}

// The first 32768 bytes decide, however much one read takes in.
TEST_F(FileConversionTest, OnlyTheFirst32768BytesDecideWhatAFileIs) {
  const std::string plain(32768, 'a');
  const struct {
    const char* name;
    std::string content;
    const char* status;
  } cases[] = {
      {"kanji-later", plain + kShiftJIS, "Skipped:\tNo KANJI code exists."},
      {"binary-later", plain + std::string(64, '\x01'), "Skipped:\tNo KANJI code exists."},
      {"kanji-at-the-end", std::string(32766, 'a') + Bytes("88 9F"),
       "Converted:\tShift-JIS to EUC"},
      // A character cut off by the end of a full first block counts as going on after it.
      {"utf8-cut", Bytes("E3 81 82") + std::string(32763, 'a') + Bytes("E3 81 82"),
       "Converted:\tUTF-8 to EUC"},
      // A file of just the block's size ends there: half a character is no UTF-8.
      {"utf8-cut-at-its-end", Bytes("E3 81 82") + std::string(32764, 'a') + Bytes("E3"),
       "Converted:\tShift-JIS to EUC"},
  };
  settings_.OutputKanjiCode = 1;
  for (const auto& c : cases) {
    WriteFile(Path(c.name), c.content);
    EXPECT_EQ(StatusColumns(Convert(Path(c.name)), ListId::Input), c.status) << c.name;
  }
}

TEST_F(FileConversionTest, AppendsEveryFileToTheSeparateOutputFile) {
  WriteFile(Path("one"), kShiftJIS);
  WriteFile(Path("two"), "ascii\n");
  WriteFile(Path("three"), Bytes("E0 A1"));  // unknown: taken as Shift-JIS
  ::chmod(Path("two").c_str(), 0444);
  WriteFile(Path("out"), "what an earlier run left\n");  // the first file empties it
  settings_.OutputKanjiCode = 1;
  OutputTo(Path("out"));
  Add(Path("one"));
  Add(Path("two"));
  Add(Path("three"));
  ConvertList();
  EXPECT_EQ(Notation(ReadFile(Path("out"))), Notation(kEUC + "ascii\n" + Bytes("E0 A3")));
  EXPECT_EQ(ReadFile(Path("one")), kShiftJIS) << "the input stays as it was";
  EXPECT_EQ(StatusColumns(*files_.Output(), ListId::Output), "Output:\tEUC");
  EXPECT_EQ(StatusColumns(files_.Input(2), ListId::Input), "Converted:\tShift-JIS to EUC");

  // A later run appends again.
  Add(Path("four"));
  WriteFile(Path("four"), "more\n");
  ConvertList();
  EXPECT_EQ(Notation(ReadFile(Path("out"))),
            Notation(kEUC + "ascii\n" + Bytes("E0 A3") + "more\n"));
}

// Before the output file is emptied: a link, a hard link or the same folder mounted
// elsewhere would make it an input under another name.
TEST_F(FileConversionTest, RefusesAnOutputFileThatIsAnInputUnderAnotherName) {
  WriteFile(Path("input"), kShiftJIS);
  WriteFile(Path("other"), kShiftJIS);
  ASSERT_EQ(::symlink(Path("input").c_str(), Path("alias").c_str()), 0);
  ASSERT_EQ(::link(Path("input").c_str(), Path("hardlink").c_str()), 0);
  for (const char* name : {"alias", "hardlink"}) {
    testing::ConversionRig rig(dir_.Path() + "/");
    rig.settings.OutputKanjiCode = 1;
    rig.OutputTo(Path(name));
    rig.Add(Path("other"));
    FileEntry& entry = rig.Add(Path("input"));
    EXPECT_FALSE(rig.run.ConvertAll()) << name;
    ASSERT_EQ(rig.host.messages.size(), 1u) << name;
    EXPECT_EQ(rig.host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(rig.host.messages[0].text,
              Path(name) +
                  "\rこのファイルは、すでに入力元として指定されているため、出力先には指定"
                  "できません。");
    EXPECT_EQ(entry.State, RunResult::None) << name;
    EXPECT_EQ(ReadFile(Path("input")), kShiftJIS) << name;
  }
}

TEST_F(FileConversionTest, NeverWritesThroughALinkPlantedAtATemporaryName) {
  WriteFile(Path("a.txt"), kShiftJIS);
  WriteFile(Path("victim"), "untouched");
  ASSERT_EQ(::symlink(Path("victim").c_str(), Path("~MX00001.TMP").c_str()), 0);
  run_.SetTempNumbers([n = 0]() mutable { return ++n; });
  settings_.OutputKanjiCode = 1;
  Convert(Path("a.txt"));
  EXPECT_EQ(ReadFile(Path("victim")), "untouched");
  EXPECT_EQ(Notation(ReadFile(Path("a.txt"))), Notation(kEUC));
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt", "victim", "~MX00001.TMP"}))
      << "the conversion went through the next free name";
}

TEST_F(FileConversionTest, AViewerCopyLeavesTheSourceAndItsResultAlone) {
  WriteFile(Path("a.txt"), kShiftJIS);
  ::chmod(Path("a.txt").c_str(), 0444);
  settings_.OutputKanjiCode = 1;
  FileEntry& entry = Add(Path("a.txt"));
  const ViewCopy copy = run_.ConvertForView(0);
  ASSERT_EQ(copy.outcome, ViewCopy::Outcome::Made);
  EXPECT_EQ(Notation(ReadFile(copy.path)), Notation(kEUC));
  EXPECT_EQ(ReadFile(Path("a.txt")), kShiftJIS);
  EXPECT_EQ(entry.State, RunResult::None);
  EXPECT_EQ(entry.Bitmap, FileImage::ShiftJISFileImage);
  EXPECT_FALSE(settings_.OutputToFile);
  EXPECT_FALSE(run_.Busy());
  ::unlink(copy.path.c_str());
}

// A view keeps the window answering as a run does, and the convert button or Escape stops
// it in the middle of the file.
TEST_F(FileConversionTest, AViewStoppedInTheMiddleOfItsFileLeavesNoCopy) {
  std::string text;
  for (int i = 0; i < 200000; ++i)
    text += kShiftJIS;
  WriteFile(Path("a.txt"), text);
  settings_.OutputKanjiCode = 1;
  Add(Path("a.txt"));
  int looks = 0;
  host_.onPendingEvents = [&] {
    EXPECT_TRUE(run_.Busy()) << "no drop, run or second view meanwhile";
    if (++looks == 2) run_.ConvertButtonClicked();
  };
  const ViewCopy copy = run_.ConvertForView(0);
  EXPECT_EQ(copy.outcome, ViewCopy::Outcome::Stopped);
  EXPECT_EQ(looks, 2) << "stopped at once, in the middle of the file";
  EXPECT_EQ(FolderContent(), (std::set<std::string>{"a.txt"}));
  EXPECT_EQ(ReadFile(Path("a.txt")), text);
  EXPECT_FALSE(run_.Busy());
  EXPECT_EQ(host_.CallsStartingWith("run"), (std::vector<std::string>{"run started", "run ended"}))
      << "the click stopped the view and started no run";
  EXPECT_EQ(host_.CallsStartingWith("file "),
            (std::vector<std::string>{"file " + Path("a.txt") + " 1/1"}));
}

// UTF-8 text of many input blocks, each line its own, so that a block given twice or out
// of turn shows in the result.
std::string ManyBlocksOfText(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += "亜あ" + std::to_string(i) + "\n";
  return text;
}

// Through Unicode, the blocks after the first are read ahead while earlier ones convert: a
// file left in the middle leaves nothing read ahead for the file after it.
TEST_F(FileConversionTest, FilesOfManyBlocksConvertWholeAfterOneLeftInTheMiddle) {
  const std::string text = ManyBlocksOfText(150000);
  const std::string left =
      text.substr(0, text.size() / 2) + "\U0001F600\n" + text.substr(text.size() / 2);
  const std::optional<std::string> expected = testing::Iconv(text, "UTF-8", "CP932");
  ASSERT_TRUE(expected && text.size() > 4 * engine::InputBufferSize);
  for (const bool intoOutputFile : {false, true}) {
    testing::ConversionRig rig(dir_.Path() + "/");
    rig.settings.OutputKanjiCode = engine::kOutputShiftJIS;
    WriteFile(Path("left"), left);
    WriteFile(Path("whole"), text);
    if (intoOutputFile) rig.OutputTo(Path("out"));
    const FileEntry& first = rig.Add(Path("left"));
    const FileEntry& second = rig.Add(Path("whole"));
    rig.ConvertList();
    EXPECT_EQ(first.Reason, SkipReason::Unrepresentable);
    EXPECT_TRUE(ReadFile(Path("left")) == left);
    ASSERT_EQ(second.State, RunResult::Converted);
    EXPECT_TRUE(ReadFile(Path(intoOutputFile ? "out" : "whole")) == *expected) << intoOutputFile;
  }
}

TEST_F(FileConversionTest, AStopSignalEndsALargeFileInTheMiddleAndLeavesItAsItWas) {
  const std::string text = ManyBlocksOfText(150000);
  WriteFile(Path("a.txt"), text);
  settings_.OutputKanjiCode = engine::kOutputShiftJIS;
  platform::CatchStopSignals();
  platform::ClearStopSignal();
  FileConversion conversion;
  conversion.Begin(Add(Path("a.txt")), files_.Output(), settings_);
  conversion.CheckFile();
  conversion.OpenInputFile();
  std::int64_t lastRead = 0;
  conversion.SetBlockRead([&](std::int64_t read) {
    const auto twoBlocks = 2 * static_cast<std::int64_t>(engine::InputBufferSize);
    if (lastRead <= twoBlocks && read > twoBlocks) ::raise(SIGTERM);
    lastRead = read;
  });
  try {
    conversion.ConvertFile();
    ADD_FAILURE() << "no error";
  } catch (const UserError& raised) {
    EXPECT_STREQ(raised.what(), "変換を中断しました");
  }
  conversion.CloseInputFile();
  platform::ClearStopSignal();
  ::signal(SIGTERM, SIG_DFL);
  EXPECT_LT(lastRead, static_cast<std::int64_t>(text.size())) << "not stopped in the middle";
  EXPECT_TRUE(ReadFile(Path("a.txt")) == text);
  EXPECT_EQ(FolderContent(), std::set<std::string>{"a.txt"});
}

// A file another program changes between its check and its conversion.
class ChangedFileTest : public FileConversionTest {
 protected:
  // Checks and opens the entry, gives the file `content`, then converts it.
  void ConvertChanged(FileEntry& entry, const std::string& content, const std::string& error,
                      const Settings& settings) {
    FileConversion conversion;
    conversion.Begin(entry, files_.Output(), settings);
    conversion.CheckFile();
    WriteFile(entry.Path, content);
    conversion.OpenInputFile();
    try {
      conversion.ConvertFile();
      ADD_FAILURE() << "no error";
    } catch (const UserError& raised) {
      EXPECT_EQ(raised.what(), error);
    }
    conversion.CloseInputFile();
  }
};

TEST_F(ChangedFileTest, IsNotReplacedAndNoTemporaryFileStays) {
  // Grown, rewritten at the same size, shrunk.
  const std::string changes[] = {kShiftJIS + "grown\n", Bytes("88 9F 88 9F"), Bytes("88 9F")};
  for (const std::uint8_t way : {0, 1}) {
    for (const std::string& changed : changes) {
      FileList files;
      WriteFile(Path("a.txt"), kShiftJIS);
      // Written a while ago: a change within the file system's clock tick keeps the time.
      const struct timespec past[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
      ASSERT_EQ(::utimensat(AT_FDCWD, Path("a.txt").c_str(), past, 0), 0);
      settings_.OutputKanjiCode = 1;
      settings_.WayToOverwrite = way;
      const std::string error = changed.size() < kShiftJIS.size()
                                    ? "読み込んだサイズとファイルのサイズが一致しません"
                                    : Path("a.txt") +
                                          " は、変換中にほかのプログラムが書き換えたため、"
                                          "置き換えませんでした";
      ASSERT_TRUE(files.Add(Path("a.txt"), "", host_));
      ConvertChanged(files.Input(0), changed, error, settings_);
      EXPECT_TRUE(ReadFile(Path("a.txt")) == changed) << Notation(changed);
      EXPECT_EQ(FolderContent(), std::set<std::string>{"a.txt"}) << Notation(changed);
    }
  }
}

TEST_F(ChangedFileTest, ThatShrankOrGrewIsCutBackOutOfTheOutputFile) {
  WriteFile(Path("a.txt"), kShiftJIS);
  settings_.OutputKanjiCode = 1;
  OutputTo(Path("out"));
  Add(Path("a.txt"));
  ConvertList();
  ASSERT_EQ(Notation(ReadFile(Path("out"))), Notation(kEUC));
  const std::pair<const char*, std::string> changes[] = {{"shrunk.txt", "x"},
                                                         {"grown.txt", kShiftJIS + kShiftJIS}};
  for (const auto& [name, changed] : changes) {
    WriteFile(Path(name), kShiftJIS);
    ConvertChanged(Add(Path(name)), changed, "読み込んだサイズとファイルのサイズが一致しません",
                   settings_);
    EXPECT_EQ(Notation(ReadFile(Path("out"))), Notation(kEUC)) << Notation(changed);
  }
}

}  // namespace
}  // namespace mxt::fileconv
