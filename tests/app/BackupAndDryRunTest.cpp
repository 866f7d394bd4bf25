// Backups of converted sources (/K) and runs that write nothing (/D), run as a user would.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>

#include "tests/app/ProgramTest.h"
#include "tests/support/Bytes.h"
#include "tests/support/TempDir.h"

namespace mxt::app {
namespace {

using testing::Bytes;
using testing::Notation;
using testing::Outcome;
using testing::ReadFile;
using testing::StatOf;
using testing::WriteFile;

const std::string kShiftJIS = Bytes("'A' 88 9F 0D 0A");
const std::string kEUC = Bytes("'A' B0 A1 0D 0A");
const std::string kToEUC = "Converted:\tShift-JIS to EUC";

class BackupAndDryRunTest : public ProgramTest {
 protected:
  // A source as a user keeps it: a mode of its own and a time in the past.
  void WriteSource(const std::string& name, const std::string& content) {
    WriteFile(dir_ / name, content);
    ::chmod((dir_ / name).c_str(), 0640);
    const timespec times[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
    ::utimensat(AT_FDCWD, (dir_ / name).c_str(), times, 0);
  }
};

TEST_F(BackupAndDryRunTest, EitherWayToOverwriteKeepsTheSourceWithItsModeAndTime) {
  for (const char* way : {"/TR", "/TC"}) {
    WriteSource("a.txt", kShiftJIS);
    const ino_t original = StatOf(dir_ / "a.txt").st_ino;
    const Outcome outcome = Run(std::string("mxt /B /E /K ") + way + " a.txt");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Line("a.txt", kToEUC)) << way;
    EXPECT_EQ(Notation(ReadFile(dir_ / "a.txt")), Notation(kEUC)) << way;
    const struct stat backup = StatOf(dir_ / "a.txt~");  // before reading it sets its times
    EXPECT_EQ(Notation(ReadFile(dir_ / "a.txt~")), Notation(kShiftJIS)) << way;
    EXPECT_EQ(backup.st_mode & 07777, 0640u) << way;
    EXPECT_EQ(backup.st_mtim.tv_sec, 1'000'000'000) << way;
    // Renamed over, the source's own file is the backup; copied onto, it holds the new text,
    // and the copy is read as the source was before the run read it.
    EXPECT_EQ(backup.st_ino == original, std::string(way) == "/TR") << way;
    if (backup.st_ino != original) {
      EXPECT_EQ(backup.st_atim.tv_sec, 1'000'000'000) << way;
    }
    ::unlink((dir_ / "a.txt~").c_str());
  }
}

TEST_F(BackupAndDryRunTest, AnExistingBackupIsNeverOverwrittenAndTheFileIsLeftAlone) {
  WriteSource("a.txt", kShiftJIS);
  WriteFile(dir_ / "a.txt~", "older");
  const Outcome outcome = Run("mxt /B /E /K a.txt");
  EXPECT_EQ(outcome.out, Line("a.txt", "Skipped:\tIts backup NAME~ already exists."));
  EXPECT_EQ(ReadFile(dir_ / "a.txt"), kShiftJIS);
  EXPECT_EQ(ReadFile(dir_ / "a.txt~"), "older");
  EXPECT_EQ(Run("mxt /B /E /K /K- a.txt").out, Line("a.txt", kToEUC));
  EXPECT_EQ(ReadFile(dir_ / "a.txt~"), "older");

  // A link leading nowhere takes the name too, for /TC as well as /TR.
  ::unlink((dir_ / "a.txt~").c_str());
  ASSERT_EQ(::symlink((dir_ / "victim").c_str(), (dir_ / "a.txt~").c_str()), 0);
  for (const char* way : {"/TR", "/TC"}) {
    WriteSource("a.txt", kShiftJIS);
    const Outcome linked = Run(std::string("mxt /B /E /K ") + way + " a.txt");
    EXPECT_EQ(linked.out, Line("a.txt", "Skipped:\tIts backup NAME~ already exists.")) << way;
    EXPECT_EQ(ReadFile(dir_ / "a.txt"), kShiftJIS) << way;
    EXPECT_NE(::access((dir_ / "victim").c_str(), F_OK), 0) << way;
  }
}

TEST_F(BackupAndDryRunTest, AHardLinkedSourceIsBackedUpAsACopyAndAnOutputFileNeedsNone) {
  WriteSource("a.txt", kShiftJIS);
  ASSERT_EQ(::link((dir_ / "a.txt").c_str(), (dir_ / "other-name.txt").c_str()), 0);
  EXPECT_EQ(Run("mxt /B /E /K /TR a.txt").exitCode, 0);
  EXPECT_EQ(Notation(ReadFile(dir_ / "other-name.txt")), Notation(kEUC));
  EXPECT_EQ(Notation(ReadFile(dir_ / "a.txt~")), Notation(kShiftJIS));
  EXPECT_EQ(StatOf(dir_ / "a.txt~").st_nlink, 1u);
  EXPECT_EQ(StatOf(dir_ / "a.txt~").st_mode & 07777, 0640u) << "the source's mode";

  WriteSource("b.txt", kShiftJIS);
  EXPECT_EQ(Run("mxt /B /E /K /O out.txt b.txt").exitCode, 0);
  EXPECT_FALSE(testing::FolderContent(dir_.Path()).contains("b.txt~"));
}

// Every skip reason a file can meet, and files that convert: the dry run reports what a
// real run on a copy of them reports, and leaves every byte and time as it was.
TEST_F(BackupAndDryRunTest, ADryRunReportsWhatARealRunDoesAndWritesNothing) {
  const std::map<std::string, std::string> files = {
      {"sjis.txt", kShiftJIS},
      {"euc.txt", kEUC},
      {"ascii.txt", "plain\n"},
      {"empty.txt", ""},
      {"binary.dat", Bytes("00 01 02 03 'A' 00")},
      {"emoji.txt", "\U0001F600\n"},
      {"utf8.txt", "\u3042\n"},
      {"kept.txt", kShiftJIS},
      {"kept.txt~", "old"},
  };
  for (const char* copy : {"dry", "real"}) {
    ::mkdir((dir_ / copy).c_str(), 0755);
    for (const auto& [name, content] : files)
      WriteSource(std::string(copy) + "/" + name, content);
    ::mkdir((dir_ / copy + "/folder").c_str(), 0755);
  }
  const std::string names = "*.txt *.dat folder missing.txt";
  const Outcome real = Run("cd real && mxt /B /S /K " + names);
  const Outcome dry = Run("cd dry && mxt /B /S /K /D " + names);
  std::string expected = real.out;
  for (std::size_t at; (at = expected.find("/real/")) != std::string::npos;)
    expected.replace(at, 6, "/dry/");
  EXPECT_EQ(dry.out, expected);
  EXPECT_EQ(dry.exitCode, real.exitCode);
  EXPECT_NE(dry.out.find("Converted:\tEUC to Shift-JIS"), std::string::npos);
  EXPECT_NE(dry.out.find("Skipped:\tHas characters the output code cannot hold."),
            std::string::npos);
  EXPECT_NE(dry.err.find("nothing was written"), std::string::npos) << dry.err;
  EXPECT_EQ(testing::FolderContent(dir_ / "dry").size(), files.size() + 1);
  for (const auto& [name, content] : files) {
    const struct stat after = StatOf(dir_ / "dry/" + name);  // before reading it sets its times
    EXPECT_EQ(after.st_mtim.tv_sec, 1'000'000'000) << name;
    EXPECT_EQ(after.st_atim.tv_sec, 1'000'000'000) << name;
    EXPECT_EQ(ReadFile(dir_ / "dry/" + name), content) << name;
  }
}

// Where this user may make no file, a real run fails before it writes: so does a dry one.
// Root may write anywhere, so root runs them as nobody.
TEST_F(BackupAndDryRunTest, ADryRunFailsWhereARealRunCouldMakeNoFile) {
  ::mkdir((dir_ / "locked").c_str(), 0755);
  WriteSource("locked/a.txt", kShiftJIS);
  ::chmod((dir_ / "locked/a.txt").c_str(), 0666);
  ::chmod((dir_ / "locked").c_str(), 0555);
  ::chmod(dir_.Path().c_str(), 0777);  // the copy back's temporary file goes here
  const std::string user =
      ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  const struct {
    const char* options;
    const char* reason;
  } cases[] = {{"/E", "テンポラリファイルを作成できません"},
               {"/E /TC /K", "a.txt~ を作成できません"}};
  for (const auto& c : cases) {
    const Outcome real = Run(user + "\"$MXT\" /B " + c.options + " locked/a.txt");
    const Outcome dry = Run(user + "\"$MXT\" /B /D " + c.options + " locked/a.txt");
    EXPECT_EQ(real.out, Line("locked/a.txt", "Aborted.")) << c.options << real.err;
    EXPECT_EQ(dry.out, real.out) << c.options;
    EXPECT_EQ(dry.exitCode, real.exitCode) << c.options;
    EXPECT_NE(dry.err.find(c.reason), std::string::npos) << c.options << dry.err;
  }
  EXPECT_EQ(ReadFile(dir_ / "locked/a.txt"), kShiftJIS);
  ::chmod((dir_ / "locked").c_str(), 0755);

  // A name that leaves no room for the "~" of its backup.
  const std::string longest(255, 'n');
  WriteSource(longest, kShiftJIS);
  for (const char* way : {"/TR", "/TC"}) {
    const Outcome real = Run(std::string("mxt /B /E /K ") + way + " " + longest);
    const Outcome dry = Run(std::string("mxt /B /D /E /K ") + way + " " + longest);
    EXPECT_EQ(real.out, Line(longest, "Aborted.")) << way << real.err;
    EXPECT_EQ(dry.out, real.out) << way;
    EXPECT_EQ(ReadFile(dir_ / longest), kShiftJIS) << way;
  }
}

TEST_F(BackupAndDryRunTest, ADryRunIntoAnOutputFileCreatesNone) {
  WriteSource("a.txt", kShiftJIS);
  const Outcome outcome = Run("mxt /B /E /D /O out.txt a.txt");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.out, Line("a.txt", kToEUC) + Line("out.txt", "Output:\tEUC"));
  EXPECT_FALSE(testing::FolderContent(dir_.Path()).contains("out.txt"));
  EXPECT_EQ(ReadFile(dir_ / "a.txt"), kShiftJIS);
}

}  // namespace
}  // namespace mxt::app
