// "-": standard input through the conversion to standard output, between real pipes.
#include <gtest/gtest.h>

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
using testing::WriteFile;

class StandardStreamsTest : public ProgramTest {};

// The same options give the same bytes through a pipe as on a file; iconv agrees.
TEST_F(StandardStreamsTest, APipeConvertsAsAFileDoes) {
  std::string text;
  for (int line = 0; line < 3000; ++line)
    text += Bytes("'line ' 88 9F 82 A0 83 41 ' ' B1 0D 0A");  // kanji, kana, half-width kana
  WriteFile(dir_ / "in.txt", text);
  for (const char* options : {"/E", "/J", "/J /7", "/W", "/E /U /Z", "/W /M /WB"}) {
    const Outcome piped = Run(std::string("cat in.txt | mxt /B ") + options + " - > piped.txt");
    EXPECT_EQ(piped.exitCode, 0) << options << piped.err;
    EXPECT_NE(piped.err.find("-\tConverted:\tShift-JIS to "), std::string::npos) << piped.err;
    ASSERT_EQ(Run(std::string("cp in.txt file.txt && mxt /B ") + options + " file.txt").exitCode,
              0);
    EXPECT_EQ(ReadFile(dir_ / "piped.txt"), ReadFile(dir_ / "file.txt")) << options;
  }
  ASSERT_EQ(Run("mxt /B /W - < in.txt > piped.txt").exitCode, 0);
  ASSERT_EQ(Run("iconv -f CP932 -t UTF-8 in.txt > iconv.txt").exitCode, 0);
  EXPECT_EQ(ReadFile(dir_ / "piped.txt"), ReadFile(dir_ / "iconv.txt"));
}

TEST_F(StandardStreamsTest, TextWithNothingToChangeIsCopiedThrough) {
  const std::string euc = Bytes("'A' B0 A1 0A");
  WriteFile(dir_ / "in.txt", euc);
  const Outcome outcome = Run("cat in.txt | mxt /B /E - > out.txt");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "-\tSkipped:\tEUC already exists.\n");
  EXPECT_EQ(ReadFile(dir_ / "out.txt"), euc);
  EXPECT_EQ(Run("mxt /B /E - < /dev/null > out.txt").exitCode, 0);
  EXPECT_EQ(ReadFile(dir_ / "out.txt"), "");
}

// Whatever a file would be skipped for writes nothing at all, however far into the text.
TEST_F(StandardStreamsTest, WhatCannotBeConvertedWritesNothingAndFails) {
  // UTF-8 from its beginning, the character far into it.
  std::string late = "\u3042" + std::string(200000, 'a');
  late += "\n\U0001F600\n";
  const struct {
    std::string input;
    const char* options;
    const char* reason;
  } cases[] = {
      {Bytes("00 01 02 'binary' 00"), "/E", "May be binary file."},
      {late, "/S", "Has characters the output code cannot hold."},
      {Bytes("'A' 88 9F 0A"), "/IW /S", "Has characters the output code cannot hold."},
  };
  // Into a file, after what it held, over it from its start, and into a pipe.
  const struct {
    const char* into;
    const char* left;
  } outputs[] = {
      {"> out.txt", ""}, {">> out.txt", "kept"}, {"1<> out.txt", "kept"}, {"| cat > out.txt", ""}};
  for (const auto& [into, left] : outputs) {
    for (const auto& c : cases) {
      WriteFile(dir_ / "in.txt", c.input);
      WriteFile(dir_ / "out.txt", "kept");
      const Outcome outcome =
          Run(std::string("cat in.txt | { mxt /B ") + c.options + " -; echo $? >&2; } " + into);
      EXPECT_NE(outcome.err.find(std::string("-\tSkipped:\t") + c.reason + "\n1\n"),
                std::string::npos)
          << c.options << into << ": " << outcome.err.substr(0, 300);
      EXPECT_EQ(ReadFile(dir_ / "out.txt"), left) << c.options << into;
    }
  }
  // From a file given as input the character is found by its line.
  WriteFile(dir_ / "in.txt", late);
  const Outcome outcome = Run("mxt /B /S - < in.txt");
  EXPECT_NE(outcome.err.find("-: line 2, column 1"), std::string::npos) << outcome.err.size();
}

// A write that fails (here past the size a file may have) takes back what it wrote.
TEST_F(StandardStreamsTest, AFailedWriteLeavesAFileAsItWas) {
  WriteFile(dir_ / "in.txt", std::string(300000, 'a') + Bytes("88 9F 0A"));
  for (const char* options : {"/E", "/E /FG", "/E /Z", "/IE /E"}) {
    WriteFile(dir_ / "out.txt", "kept");
    const Outcome outcome =
        Run(std::string("(ulimit -f 100; mxt /B ") + options + " - < in.txt >> out.txt)");
    EXPECT_EQ(outcome.exitCode, 1) << options << outcome.err;
    EXPECT_NE(outcome.err.find("-\tAborted."), std::string::npos) << options << outcome.err;
    const std::string left = ReadFile(dir_ / "out.txt");
    EXPECT_EQ(left.substr(0, 16), "kept") << options << ": " << left.size() << " bytes";
  }
}

// The input itself as the output: written over from its start, it is read whole first,
// whatever the way with characters that have no place; appended to, it would never end.
TEST_F(StandardStreamsTest, TheInputFileAsTheOutputIsReadWholeOrRefused) {
  std::string text;  // half-width kana grows into EUC, past the bytes not yet read
  for (int line = 0; line < 40000; ++line)
    text += Bytes("B1 B2 B3 B4 B5 88 9F 0D 0A");
  WriteFile(dir_ / "in.txt", text);
  ASSERT_EQ(Run("iconv -f SHIFT_JIS -t EUC-JP in.txt > expected.txt").exitCode, 0);
  for (const char* options : {"/E", "/E /FG", "/E /FX"}) {
    WriteFile(dir_ / "a.txt", text);
    const Outcome over =
        Run(std::string("(ulimit -f 2000; mxt /B ") + options + " - < a.txt 1<> a.txt)");
    EXPECT_EQ(over.exitCode, 0) << options << over.err;
    const std::string written = ReadFile(dir_ / "a.txt");
    EXPECT_TRUE(written == ReadFile(dir_ / "expected.txt")) << options << ": " << written.size();
    WriteFile(dir_ / "a.txt", text);
    for (const char* into : {">> a.txt", "<> a.txt >&0"}) {
      const Outcome appended =
          Run(std::string("(ulimit -f 2000; mxt /B ") + options + " - < a.txt " + into + ")");
      EXPECT_EQ(appended.exitCode, 1) << options << into;
      EXPECT_EQ(appended.err, "ｴﾗｰ: - をオープンできません。\n-\tAborted.\n") << options << into;
      EXPECT_TRUE(ReadFile(dir_ / "a.txt") == text) << options << into;
    }
  }
}

std::string Repeated(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i)
    text += line;
  return text;
}

// A pipe cannot be read again to count lines: they are counted as it is read, across its
// 256 KiB blocks, and must name the place a file's second reading names.
TEST_F(StandardStreamsTest, APipeNamesACharacterWithNoPlaceByLineAndColumnAsAFileDoes) {
  const std::string kana = "\u3042";
  const struct {
    std::string text;
    const char* options;
    const char* where;
  } cases[] = {
      {"\xEF\xBB\xBF" + Repeated(kana + " abc\r\n", 30000) + "xy\U0001F600\n", "/S",
       "line 30001, column 3"},
      {"\xEF\xBB\xBF" + Repeated(kana + " abc\r\n", 30000) + "xy\U0001F600\n", "/S /FG",
       "line 30001, column 3"},
      // The emoji's four bytes begin 1 byte before the second block.
      {Repeated("abcdefghi\n", 26214) + "xyz\U0001F600\n", "/IW /S", "line 26215, column 4"},
      {Repeated(Bytes("A4 A2 ' x' 0D 0A"), 50000) + Bytes("'ab' 8F B0 A1 0A"), "/IE /S",
       "line 50001, column 3"},
      // Escape sequences take no column; a kanji takes one.
      {Repeated(Bytes("1B '$B$\"' 1B '(B ab' 0A"), 30000) + Bytes("'x' 1B '$B$\")!' 1B '(B' 0A"),
       "/IJ /W", "line 30001, column 3"},
  };
  for (const auto& c : cases) {
    WriteFile(dir_ / "in.txt", c.text);
    const Outcome piped = Run(std::string("cat in.txt | mxt /B ") + c.options + " - > /dev/null");
    const Outcome file = Run(std::string("cp in.txt f.txt && mxt /B ") + c.options + " f.txt");
    EXPECT_NE(piped.err.find(c.where), std::string::npos) << c.options << ": " << piped.err;
    EXPECT_NE(file.err.find(c.where), std::string::npos) << c.options << ": " << file.err;
  }
}

TEST_F(StandardStreamsTest, TheStreamsAreForOneBatchRunWithoutAnOutputFile) {
  for (const char* command : {"mxt /B /E - - < /dev/null", "mxt /B /E /O out.txt - < /dev/null"}) {
    const Outcome outcome = Run(command);
    EXPECT_EQ(outcome.exitCode, 1) << command;
    EXPECT_NE(outcome.err.find("標準入力と標準出力 (-)"), std::string::npos) << outcome.err;
  }
}

#if defined(__SANITIZE_ADDRESS__)
// The sanitizers' own memory hides the program's: only the length is checked, and briefly.
constexpr const char* kPipeBytes = "200000000";
constexpr bool kMemoryMeasured = false;
#else
constexpr const char* kPipeBytes = "2000000000";
constexpr bool kMemoryMeasured = true;
#endif

// Two gigabytes go through in the memory of one file's conversion.
TEST_F(StandardStreamsTest, ALongPipeGoesThroughInBoundedMemory) {
  const Outcome outcome =
      Run(std::string("yes \"$(printf 'text \\210\\237\\202\\240')\" | head -c ") + kPipeBytes +
          " | /usr/bin/time -f '%M' -o rss.txt \"$MXT\" /B /E /FG - | wc -c");
  EXPECT_EQ(outcome.out, std::string(kPipeBytes) + "\n") << outcome.err;
  const long kilobytes = std::stol(ReadFile(dir_ / "rss.txt"));
  if (kMemoryMeasured) {
    EXPECT_LT(kilobytes, 16 * 1024) << "peak resident memory in KiB";
  }
}

}  // namespace
}  // namespace mxt::app
