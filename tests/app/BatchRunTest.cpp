// Runs the built program as a user would, and looks at the files, the report on
// standard output, the messages on standard error and the exit code.
#include <gtest/gtest.h>
#include <string>

#include "tests/support/Bytes.h"
#include "tests/support/ProgramRun.h"
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

class BatchRunTest : public ::testing::Test {
 protected:
  Outcome Run(const std::string& commands) {
    return testing::RunProgram(MXT_EXECUTABLE, dir_, commands);
  }

  testing::TempDir dir_;
};

TEST_F(BatchRunTest, ConvertsTheNamedFilesAndReportsEachOne) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  WriteFile(dir_ / "b.txt", "");
  const Outcome outcome = Run("mxt /B /E a.txt b.txt");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.out, dir_ / "a.txt" + "\tConverted:\tShift-JIS to EUC\n" + dir_ / "b.txt" +
                             "\tSkipped:\tFile is empty.\n");
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(Notation(ReadFile(dir_ / "a.txt")), Notation(kEUC));
}

TEST_F(BatchRunTest, AppendsToTheOutputFileAndReportsIt) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  WriteFile(dir_ / "b.txt", kShiftJIS);
  const Outcome outcome = Run("mxt /B /E /O out.txt '" + (dir_ / "*.txt") + "'");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.out, dir_ / "a.txt" + "\tConverted:\tShift-JIS to EUC\n" + dir_ / "b.txt" +
                             "\tConverted:\tShift-JIS to EUC\n" + dir_ / "out.txt" +
                             "\tOutput:\tEUC\n");
  EXPECT_EQ(Notation(ReadFile(dir_ / "out.txt")), Notation(kEUC + kEUC));
  EXPECT_EQ(ReadFile(dir_ / "a.txt"), kShiftJIS);
}

TEST_F(BatchRunTest, ARejectedCommandLineConvertsNothing) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  const Outcome outcome = Run("mxt /B /X /E a.txt");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.err, "ｴﾗｰ: コマンドラインオプションに誤りがあります。\nオプション: '/X'\n");
  EXPECT_EQ(outcome.out, dir_ / "a.txt" + "\t\n");
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

TEST_F(BatchRunTest, SavesNothing) {
  WriteFile(dir_ / "a.txt", kShiftJIS);
  Run("mxt /B /E /Z a.txt");
  EXPECT_NE(::access((dir_ / "config/MXT").c_str(), F_OK), -1) << "the store's folder is made";
  EXPECT_EQ(::access((dir_ / "config/MXT/MXT.ini").c_str(), F_OK), -1);
}

TEST_F(BatchRunTest, AFailingWriteAbortsAndLeavesTheSourceAsItWas) {
  std::string big;
  while (big.size() < (1 << 20))
    big += kShiftJIS;
  for (const char* method : {"/TR", "/TC"}) {
    WriteFile(dir_ / "big.txt", big);
    // Writing past 64 blocks fails with EFBIG instead of killing the process.
    const Outcome outcome =
        Run(std::string("trap '' XFSZ; ulimit -f 64; mxt /B /E ") + method + " big.txt");
    EXPECT_EQ(outcome.exitCode, 1) << method;
    EXPECT_EQ(outcome.out, dir_ / "big.txt" + "\tAborted.\n") << method;
    EXPECT_EQ(outcome.err, "ｴﾗｰ: I/O ｴﾗｰ (27)。\n") << method;
    EXPECT_TRUE(ReadFile(dir_ / "big.txt") == big) << method << ": the source changed";
    ::unlink((dir_ / "big.txt").c_str());
  }
}

}  // namespace
}  // namespace mxt::app
