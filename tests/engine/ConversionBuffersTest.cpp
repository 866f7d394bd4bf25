#include "engine/Converter.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/NewlineConversion.h"
#include "platform/IoError.h"
#include "tests/support/Bytes.h"
#include "tests/support/EngineRun.h"

namespace mxt::engine {
namespace {

using testing::Bytes;
using testing::EngineConversion;
using testing::MemoryFile;
using testing::Notation;

constexpr std::size_t kBlock = OutputBufferSize;

EngineConversion Copying(NewlineCode mode, bool removeCtrlZ = false) {
  return {KanjiCode::Ascii, mode, {kOutputShiftJIS, false, removeCtrlZ}};
}

class ConversionBuffersTest : public ::testing::Test {
 protected:
  std::string ConvertInMemory(const std::string& input, const EngineConversion& how) {
    return testing::ConvertInMemory(converter_, input, how);
  }
  void StreamFile(MemoryFile& input, MemoryFile& output, const EngineConversion& how) {
    testing::StreamFile(converter_, input, output, how);
  }

  Converter converter_;
  ConversionBuffers& buffers_ = converter_.Buffers();
};

TEST_F(ConversionBuffersTest, RewritesNewlinesInEachMode) {
  const struct {
    NewlineCode mode;
    const char* input;
    const char* expected;
  } cases[] = {
      {NewlineCode::CRLF, "'a' 0D 'b'", "'a' 0D 0A 'b'"},
      {NewlineCode::CRLF, "'a' 0A 'b'", "'a' 0D 0A 'b'"},
      {NewlineCode::CRLF, "'a' 0D 0A 'b'", "'a' 0D 0A 'b'"},
      {NewlineCode::CRLF, "0D 0D", "0D 0A 0D 0A"},
      {NewlineCode::CRLF, "0A 0D 0A 0A 0D", "0D 0A 0D 0A 0D 0A 0D 0A"},
      {NewlineCode::LF, "'a' 0D 0A 'b' 0D 'c' 0A", "'a' 0A 'b' 0A 'c' 0A"},
      {NewlineCode::LF, "0A 0D 0D 0A", "0A 0A 0A"},
      {NewlineCode::CR, "'a' 0D 0A 'b' 0D 'c' 0A", "'a' 0D 'b' 0D 'c' 0D"},
      {NewlineCode::DontCare, "'a' 0D 0A 'b' 0D 'c' 0A", "'a' 0D 0A 'b' 0D 'c' 0A"},
      {NewlineCode{7}, "'a' 0D 'b' 0A", "'a' 0D 'b' 0A"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Notation(ConvertInMemory(Bytes(c.input), Copying(c.mode))),
              Notation(Bytes(c.expected)))
        << "mode " << static_cast<int>(c.mode) << ": " << c.input;
  }
}

// Split between blocks, CR LF is one newline; a lone CR at a block's end loses nothing and
// eats no later LF, and a CR inside a block leaves the next block's LF alone.
TEST_F(ConversionBuffersTest, RewritesNewlinesAcrossBlockEnds) {
  const std::string head(kBlock - 1, 'a');
  const std::string shorter(kBlock - 2, 'a');
  const std::string second = "x" + std::string(kBlock - 1, 'y');
  const struct {
    std::string input;
    NewlineCode mode;
    std::string expected;
  } cases[] = {
      {head + "\r\nb", NewlineCode::CRLF, head + "\r\nb"},
      {head + "\r\nb", NewlineCode::LF, head + "\nb"},
      {head + "\r\nb", NewlineCode::CR, head + "\rb"},
      {head + "\r" + second + "\nz", NewlineCode::LF, head + "\n" + second + "\nz"},
      {head + "\r" + second + "\nz", NewlineCode::CRLF, head + "\r\n" + second + "\r\nz"},
      {shorter + "\rb\nz", NewlineCode::CR, shorter + "\rb\rz"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_TRUE(ConvertInMemory(cases[i].input, Copying(cases[i].mode)) == cases[i].expected)
        << "case " << i;
}

TEST_F(ConversionBuffersTest, AFullBlockOfLineFeedsFillsTheNewlineBufferExactly) {
  buffers_.PendingCR = false;
  const std::string lineFeeds(kBlock, '\n');
  const std::uint32_t count =
      ConvertNewlinesToCRLF(reinterpret_cast<const std::uint8_t*>(lineFeeds.data()), kBlock,
                            buffers_.NewlineBuffer, buffers_.PendingCR);
  EXPECT_EQ(count, NewlineBufferSize);
  EXPECT_FALSE(buffers_.PendingCR);

  MemoryFile input(lineFeeds);
  MemoryFile output;
  StreamFile(input, output, Copying(NewlineCode::CRLF));
  EXPECT_EQ(output.WriteCalls(), 1);
  std::string expected;
  for (std::size_t i = 0; i < kBlock; ++i)
    expected += "\r\n";
  EXPECT_EQ(output.Content(), expected);
}

TEST_F(ConversionBuffersTest, ReadsBlockBoundariesExactly) {
  for (const std::size_t size : {kBlock - 1, kBlock, kBlock + 1, 2 * kBlock}) {
    std::string input(size, 'q');
    for (std::size_t i = 0; i < size; i += 7)
      input[i] = static_cast<char>(i % 251);
    MemoryFile in(input);
    MemoryFile out;
    StreamFile(in, out, Copying(NewlineCode::DontCare));
    EXPECT_EQ(out.Content(), input) << size;
    EXPECT_EQ(buffers_.TotalRead, static_cast<std::int64_t>(size));
    EXPECT_EQ(buffers_.BytesInLastBlock, 0) << "the last read finds the end";
  }
}

// The system copies a block that begins on a page about twice as fast as one a few
// bytes off.
TEST_F(ConversionBuffersTest, EveryBlockReadOrWrittenBeginsOnAPage) {
  auto onPage = [](const void* block) {
    return reinterpret_cast<std::uintptr_t>(block) % 4096 == 0;
  };
  EXPECT_TRUE(onPage(buffers_.InputBuffer.get()));
  for (int block = 0; block < OutputBlocks; ++block) {
    EXPECT_TRUE(onPage(buffers_.OutputBuffer)) << block;
    EXPECT_TRUE(onPage(buffers_.NewlineBuffer)) << block;
    buffers_.NextOutputBlock();
  }
}

TEST_F(ConversionBuffersTest, ReadByteKeepsReportingTheEnd) {
  MemoryFile in("ab");
  buffers_.InputFile = &in;
  ASSERT_FALSE(converter_.RefillInput());
  EXPECT_EQ(buffers_.BytesInLastBlock, 2);
  EXPECT_TRUE(converter_.RefillInput());
  EXPECT_TRUE(converter_.RefillInput());
  EXPECT_EQ(buffers_.TotalRead, 2);
}

TEST_F(ConversionBuffersTest, ConvertsCharactersSplitBetweenInputBlocks) {
  // 88 9F with its lead byte the last of the first block.
  const std::string input = std::string(kBlock - 1, 'a') + Bytes("88 9F 0A");
  const std::string expected = std::string(kBlock - 1, 'a') + Bytes("B0 A1 0D 0A");
  const EngineConversion toEUC{KanjiCode::ShiftJIS, NewlineCode::CRLF, {kOutputEUC, false, false}};
  EXPECT_EQ(Notation(ConvertInMemory(input, toEUC).substr(kBlock - 4)),
            Notation(expected.substr(kBlock - 4)));
}

TEST_F(ConversionBuffersTest, RemovesOneTrailingCtrlZFromTheWholeOutputFile) {
  const struct {
    const char* existing;
    const char* input;
    const char* expected;
  } cases[] = {
      {"", "'a' 1A 1A", "'a' 1A"},
      {"", "'a' 1A 'b'", "'a' 1A 'b'"},
      {"", "1A", ""},
      {"'old' 1A", "'new'", "'old' 1A 'new'"},
      {"'old'", "'new' 1A", "'old' 'new'"},
  };
  for (const auto& c : cases) {
    MemoryFile input(Bytes(c.input));
    MemoryFile output(Bytes(c.existing));
    StreamFile(input, output, Copying(NewlineCode::DontCare, true));
    EXPECT_EQ(Notation(output.Content()), Notation(Bytes(c.expected))) << c.input;
  }
}

TEST_F(ConversionBuffersTest, LeavesAnEmptyOutputAlone) {
  MemoryFile output;
  buffers_.OutputFile = &output;
  converter_.RemoveTrailingCtrlZ();
  EXPECT_EQ(output.Size(), 0);
  EXPECT_EQ(output.WriteCalls(), 0);
}

// Blocks are written while the next ones convert: the failure ends the run within the
// blocks that wait to be written, and none of those is written after it.
TEST_F(ConversionBuffersTest, AFailingWriteEndsTheRunAndNothingIsWrittenAfterIt) {
  MemoryFile input(std::string(8 * kBlock, 'a'));
  MemoryFile output;
  output.FailWritesBeyond(0, 28);
  try {
    StreamFile(input, output, Copying(NewlineCode::CRLF));
    FAIL() << "no error raised";
  } catch (const platform::IoError& error) {
    EXPECT_EQ(error.Code(), 28);
    EXPECT_STREQ(error.what(), "I/O ｴﾗｰ (28) No space left on device");
  }
  EXPECT_EQ(output.WriteCalls(), 1);
  EXPECT_LE(buffers_.TotalRead, static_cast<std::int64_t>((2 + BlockWriter::kQueued) * kBlock))
      << "read on after it";
}

}  // namespace
}  // namespace mxt::engine
