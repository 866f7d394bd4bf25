// Runs the built program as a user would, and looks at the files, the report on
// standard output, the messages on standard error and the exit code.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/Version.h"
#include "tests/app/ProgramTest.h"
#include "tests/support/Bytes.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using testing::Bytes;
using testing::Notation;
using testing::Outcome;
using testing::ReadFile;
using testing::WriteFile;

const std::string kShiftJIS = Bytes("'A' 88 9F 0A");
const std::string kEUC = Bytes("'A' B0 A1 0A");
const std::string kToEUC = "Converted:\tShift-JIS to EUC";

// Over 64 blocks, what a write limit of `ulimit -f 64` cannot take.
std::string BigText() {
  std::string big;
  while (big.size() < (1 << 20))
    big += kShiftJIS;
  return big;
}

class BatchRunTest : public ProgramTest {};

TEST_F(BatchRunTest, ConvertsTheNamedFilesReportsEachOneAndSavesNothing) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  WriteFile(dir_ / "b.txt", "");
  const Outcome outcome = Run("mxt /B /E a.txt b.txt");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.out, Line("a.txt", kToEUC) + Line("b.txt", "Skipped:\tFile is empty."));
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(Notation(ReadFile(dir_ / "a.txt")), Notation(kEUC));
  EXPECT_NE(::access((dir_ / "config/MXT").c_str(), F_OK), -1) << "the store's folder is made";
  EXPECT_EQ(::access((dir_ / "config/MXT/MXT.ini").c_str(), F_OK), -1)
      << "a batch run saves nothing";
}

TEST_F(BatchRunTest, AppendsToTheOutputFileAndReportsIt) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  WriteFile(dir_ / "b.txt", kShiftJIS);
  const Outcome outcome = Run("mxt /B /E /O out.txt '" + (dir_ / "*.txt") + "'");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.out,
            Line("a.txt", kToEUC) + Line("b.txt", kToEUC) + Line("out.txt", "Output:\tEUC"));
  EXPECT_EQ(Notation(ReadFile(dir_ / "out.txt")), Notation(kEUC + kEUC));
  EXPECT_EQ(ReadFile(dir_ / "a.txt"), kShiftJIS);
}

TEST_F(BatchRunTest, ACharacterWithNoPlaceIsNamedWithItsLineAndColumnAndTheWayDecides) {
  const std::string text = "first\r\n\u3042 \U0001F600 end\n";  // the emoji at 2:3
  const struct {
    const char* option;
    const char* status;
    const char* note;
    std::string content;
  } cases[] = {
      {"", "Skipped:\tHas characters the output code cannot hold.",
       ": line 2, column 3: U+1F600 has no place in Shift-JIS.\n", text},
      {"/FG", "Converted:\tUTF-8 to Shift-JIS",
       ": 1 character replaced, the first at line 2, column 3 (U+1F600).\n",
       Bytes("'first' 0D 0A 82 A0 ' ' 81 AC ' end' 0A")},
      {"/FX", "Converted:\tUTF-8 to Shift-JIS",
       ": 1 character replaced, the first at line 2, column 3 (U+1F600).\n",
       Bytes("'first' 0D 0A 82 A0 ' &#x1F600; end' 0A")},
  };
  for (const auto& c : cases) {
    WriteFile(dir_ / "a.txt", text);
    const Outcome outcome = Run(std::string("mxt /B /S ") + c.option + " a.txt");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Line("a.txt", c.status)) << c.option;
    EXPECT_EQ(outcome.err, dir_ / "a.txt" + c.note) << c.option;
    EXPECT_EQ(Notation(ReadFile(dir_ / "a.txt")), Notation(c.content)) << c.option;
  }
}

// UTF-8 output holds for the output file, Ctrl-Z and newlines as for the other codes; the
// byte-order mark begins the output file once.
TEST_F(BatchRunTest, UTF8OutputGoesIntoTheOutputFileWithOneByteOrderMark) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  WriteFile(dir_ / "b.txt", kEUC + "\x1A");
  WriteFile(dir_ / "c.txt", Bytes("EF BB BF E3 81 82 0A"));
  const Outcome outcome = Run("mxt /B /WB /Z /M /L /O out.txt a.txt b.txt c.txt");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.out, Line("a.txt", "Converted:\tShift-JIS to UTF-8") +
                             Line("b.txt", "Converted:\tEUC to UTF-8") +
                             Line("c.txt", "Converted:\tUTF-8") +
                             Line("out.txt", "Output:\tUTF-8"));
  EXPECT_EQ(Notation(ReadFile(dir_ / "out.txt")),
            Notation(Bytes("EF BB BF 'A' E4 BA 9C 0D 0A 'A' E4 BA 9C 0D 0A E3 81 82 0D 0A")));
  // Into Shift-JIS in place, the byte-order mark goes.
  EXPECT_EQ(Run("mxt /B /S c.txt").out, Line("c.txt", "Converted:\tUTF-8 to Shift-JIS"));
  EXPECT_EQ(Notation(ReadFile(dir_ / "c.txt")), "82 A0 0A");
}

TEST_F(BatchRunTest, ARejectedCommandLineConvertsNothing) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  const Outcome outcome = Run("mxt /B /X /E a.txt");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.err, "ｴﾗｰ: コマンドラインオプションに誤りがあります。\nオプション: '/X'\n");
  EXPECT_EQ(outcome.out, Line("a.txt", "Not converted."));
  // The output file the run never wrote says so too, not an empty status.
  EXPECT_EQ(Run("mxt /B /X /E /O out.txt a.txt").out,
            Line("a.txt", "Not converted.") + Line("out.txt", "Not converted."));
  EXPECT_EQ(ReadFile(dir_ / "a.txt"), kShiftJIS);
}

TEST_F(BatchRunTest, AStartThatNeedsAWindowEndsAtOnce) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  const Outcome outcome = Run("mxt /E a.txt");
  EXPECT_EQ(outcome.exitCode, 2);
  EXPECT_NE(outcome.err, "");
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(ReadFile(dir_ / "a.txt"), kShiftJIS);
}

TEST_F(BatchRunTest, AFailingWriteAbortsLeavesTheSourceAndCutsTheOutputFileBack) {
  const std::string big = BigText();
  for (const char* method : {"/TR", "/TC"}) {
    WriteFile(dir_ / "big.txt", big);
    // Writing past 64 blocks fails with EFBIG: the program is not ended by SIGXFSZ.
    const Outcome outcome = Run(std::string("ulimit -f 64; mxt /B /E ") + method + " big.txt");
    EXPECT_EQ(outcome.exitCode, 1) << method;
    EXPECT_EQ(outcome.out, Line("big.txt", "Aborted.")) << method;
    // The temporary file that could not be written: beside the file, or in TMPDIR.
    EXPECT_EQ(outcome.err.rfind("ｴﾗｰ: I/O ｴﾗｰ (27) File too large: " + dir_ / "~MX", 0), 0u)
        << method << ": " << outcome.err;
    EXPECT_TRUE(ReadFile(dir_ / "big.txt") == big) << method << ": the source changed";
    EXPECT_EQ(Run("ls -A | grep -c MX").out, "0\n") << method << ": a temporary file stayed";
    ::unlink((dir_ / "big.txt").c_str());
  }
  // Into an output file, what the files before wrote stays and the rest goes.
  WriteFile(dir_ / "a.txt", kShiftJIS);
  WriteFile(dir_ / "b.txt", big);
  const Outcome outcome = Run("ulimit -f 64; mxt /B /E /O out.txt a.txt b.txt");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(Notation(ReadFile(dir_ / "out.txt")), Notation(kEUC));
}

// Every name given is accounted for, on a line of its own.
TEST_F(BatchRunTest, ReportsEveryNameItWasGivenOnOneLineEach) {
  ASSERT_EQ(::mkdir((dir_ / "folder").c_str(), 0755), 0);
  WriteFile(dir_ / "report[2023].txt", kShiftJIS);
  WriteFile(dir_ / "tab\there", kShiftJIS);
  WriteFile(dir_ / "new\nline\\back", kShiftJIS);
  const Outcome outcome =
      Run("mxt /B /E 'report[2023].txt' missing.txt folder 'none*.txt' \"$(printf 'tab\\there')\" "
          "\"$(printf 'new\\nline\\\\back')\"");
  EXPECT_EQ(outcome.exitCode, 1) << outcome.err;
  EXPECT_EQ(outcome.out, Line("report[2023].txt", kToEUC) + Line("tab\\there", kToEUC) +
                             Line("new\\nline\\\\back", kToEUC) +
                             "missing.txt\tSkipped:\tFile not found.\n"
                             "folder\tSkipped:\tIs not a file.\n"
                             "none*.txt\tSkipped:\tFile not found.\n");
  EXPECT_EQ(Notation(ReadFile(dir_ / "report[2023].txt")), Notation(kEUC));
}

// A script that cannot be told what was converted must not hear that all went well.
TEST_F(BatchRunTest, AReportThatCannotBeWrittenFailsTheRun) {
  for (const char* where : {"> /dev/full", ">&-"}) {
    WriteFile(dir_ / "a.txt", kShiftJIS);
    const Outcome outcome = Run(std::string("mxt /B /E a.txt ") + where);
    EXPECT_EQ(outcome.exitCode, 1) << where;
    EXPECT_EQ(outcome.err, "MXT: the report could not be written.\n") << where;
    EXPECT_EQ(Notation(ReadFile(dir_ / "a.txt")), Notation(kEUC)) << where;
  }
  for (const char* asked : {"mxt --help > /dev/full", "mxt --version > /dev/full"})
    EXPECT_EQ(Run(asked).exitCode, 1) << asked;
}

TEST_F(BatchRunTest, ARunWithNothingToDoSaysSo) {
  for (const auto& [command, exitCode] :
       {std::pair{"mxt /B /E", 0}, {"mxt /B /E missing.txt", 1}}) {
    const Outcome outcome = Run(command);
    EXPECT_EQ(outcome.err, "情報: 変換するファイルがありません。\n") << command;
    EXPECT_EQ(outcome.exitCode, exitCode) << command;
  }
}

TEST_F(BatchRunTest, PrintsItsUsageWhenAskedAndConvertsNothing) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  for (const char* command :
       {"mxt /HELP", "mxt -h", "mxt --help", "mxt '/?'", "mxt /B /E -help a.txt", "mxt /h"}) {
    const Outcome outcome = Run(command);
    EXPECT_EQ(outcome.exitCode, 0) << command;
    EXPECT_EQ(outcome.out.rfind("使い方: mxt", 0), 0u) << command;
    EXPECT_NE(outcome.out.find("終了コード"), std::string::npos) << command;
    EXPECT_NE(outcome.out.find(dir_ / "config/MXT/MXT.ini"), std::string::npos) << command;
    EXPECT_EQ(outcome.err, "") << command;
  }
  EXPECT_EQ(ReadFile(dir_ / "a.txt"), kShiftJIS);
}

// Asked with a display too, the version comes before any window.
TEST_F(BatchRunTest, PrintsItsVersionWhenAskedAndConvertsNothing) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  for (const char* command : {"mxt --version", "mxt /VERSION", "mxt /B /E -version a.txt",
                              "QT_QPA_PLATFORM=offscreen timeout 10 \"$MXT\" --version a.txt"}) {
    const Outcome outcome = Run(command);
    EXPECT_EQ(outcome.exitCode, 0) << command;
    EXPECT_EQ(outcome.out, std::string("MXT ") + kVersion + "\n") << command;
    EXPECT_EQ(outcome.err, "") << command;
  }
  EXPECT_EQ(ReadFile(dir_ / "a.txt"), kShiftJIS);
}

#if defined(__SANITIZE_ADDRESS__)
const std::string kMemoryLimit;
#else
const std::string kMemoryLimit = "ulimit -v 1000000; ";
#endif

// A settings file that is no file must neither hold the start up nor fill the memory.
TEST_F(BatchRunTest, ASettingsFileThatIsNoFileIsAStoreError) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  ASSERT_EQ(::mkdir((dir_ / "config").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir((dir_ / "config/MXT").c_str(), 0700), 0);
  const std::string ini = dir_ / "config/MXT/MXT.ini";
  for (const char* kind : {"fifo", "zero", "large"}) {
    ::unlink(ini.c_str());
    const std::string made = kind;
    if (made == "fifo") {
      ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
    } else if (made == "zero") {
      ASSERT_EQ(::symlink("/dev/zero", ini.c_str()), 0);
    } else {
      WriteFile(ini, "[Options]\n" + std::string(1 << 20, ';'));
    }
    // A hang ends after 20 s, a memory hog at 1 GB (AddressSanitizer reserves more).
    const Outcome outcome = Run("timeout 20 sh -c '" + kMemoryLimit + "exec \"$0\" /B /E a.txt' '" +
                                std::string(MXT_EXECUTABLE) + "'");
    EXPECT_EQ(outcome.exitCode, 0) << kind;
    EXPECT_EQ(outcome.err,
              "ｴﾗｰ: 'PosX' の取得に失敗しました。\nｴﾗｰ: レジストリ情報の読み込みに失敗しました。\n")
        << kind;
    EXPECT_EQ(outcome.out, Line("a.txt", kToEUC)) << kind;
    WriteFile(dir_ / "a.txt", kShiftJIS);
  }
}

// Another user than the file's owner, as `nobody`: only root can make one here.
class OtherUserTest : public BatchRunTest {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    if (std::system("command -v setpriv >/dev/null") != 0) GTEST_SKIP() << "no setpriv";
    ::chmod(dir_.Path().c_str(), 0777);
  }
  Outcome RunAsNobody(const std::string& arguments) {
    return Run("setpriv --reuid=65534 --regid=65534 --clear-groups '" MXT_EXECUTABLE "' " +
               arguments);
  }
};

TEST_F(OtherUserTest, AFileItMayNotReadIsAccessDenied) {
  WriteFile(dir_ / "secret.txt", kShiftJIS);
  ::chmod((dir_ / "secret.txt").c_str(), 0600);
  const Outcome outcome = RunAsNobody("/B /E secret.txt");
  EXPECT_EQ(outcome.out,
            Line("secret.txt", "Skipped:\tFile access denied. Maybe file is being used."));
}

// Renamed over, the file would become nobody's: it is copied back instead and stays root's.
TEST_F(OtherUserTest, AFileWhoseOwnerCannotBeKeptIsCopiedBack) {
  WriteFile(dir_ / "shared.txt", kShiftJIS);
  ::chmod((dir_ / "shared.txt").c_str(), 0666);
  struct stat before;
  ASSERT_EQ(::stat((dir_ / "shared.txt").c_str(), &before), 0);
  const Outcome outcome = RunAsNobody("/B /E /TR shared.txt");
  EXPECT_EQ(outcome.out, Line("shared.txt", kToEUC)) << outcome.err;
  struct stat after;
  ASSERT_EQ(::stat((dir_ / "shared.txt").c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_uid, 0u);
  EXPECT_EQ(Notation(ReadFile(dir_ / "shared.txt")), Notation(kEUC));
}

// With a display the run shows its window, converts, closes, reports as a run without one
// does and ends with the same codes; with nothing to convert it ends at once instead of
// waiting in an empty window.
TEST_F(BatchRunTest, WithADisplayTheWindowConvertsReportsAndEndsWithTheBatchCodes) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  const std::string window = "export QT_QPA_PLATFORM=offscreen; timeout 20 \"$MXT\" ";
  const Outcome done = Run(window + "/B /E a.txt");
  EXPECT_EQ(done.exitCode, 0) << done.err;
  EXPECT_EQ(done.out, Line("a.txt", kToEUC));
  EXPECT_EQ(Notation(ReadFile(dir_ / "a.txt")), Notation(kEUC));
  // An error stays on the screen until the window is closed, here by a stop signal.
  WriteFile(dir_ / "b.txt", kShiftJIS);
  const Outcome failed =
      Run("export QT_QPA_PLATFORM=offscreen; \"$MXT\" /B /E /O missing/out.txt b.txt & sleep 1; "
          "kill -TERM $!; wait $!");
  EXPECT_EQ(failed.exitCode, 1) << failed.err;
  EXPECT_EQ(ReadFile(dir_ / "b.txt"), kShiftJIS);
  const Outcome missing = Run(window + "/B /E missing.txt");
  EXPECT_EQ(missing.exitCode, 1) << missing.err;
  EXPECT_EQ(missing.out, "missing.txt\tSkipped:\tFile not found.\n");
  const Outcome nothing = Run(window + "/B");
  EXPECT_EQ(nothing.exitCode, 0) << nothing.err;
  EXPECT_EQ(nothing.out, "");
  WriteFile(dir_ / "c.txt", kShiftJIS);
  const Outcome unreported = Run(window + "/B /E c.txt > /dev/full");
  EXPECT_EQ(unreported.exitCode, 1) << unreported.err;
  EXPECT_NE(unreported.err.find("MXT: the report could not be written.\n"), std::string::npos);
}

// A runtime folder that cannot be used costs the single instance, not the window.
TEST_F(BatchRunTest, WithADisplayAndAnUnusableRuntimeFolderTheWindowStillRuns) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  const Outcome done =
      Run("mkdir run && ln -s nowhere run/MXT && export XDG_RUNTIME_DIR=\"$PWD/run\" "
          "QT_QPA_PLATFORM=offscreen; timeout 20 \"$MXT\" /B /E a.txt");
  EXPECT_EQ(done.exitCode, 0) << done.err;
  EXPECT_EQ(Notation(ReadFile(dir_ / "a.txt")), Notation(kEUC));
}

}  // namespace
}  // namespace mxt::app
