#include "engine/BlockReader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "platform/IoError.h"
#include "tests/support/MemoryFile.h"

namespace mxt::engine {
namespace {

using testing::MemoryFile;

constexpr std::size_t kBlock = InputBufferSize;

// Bytes that differ from block to block, so that a block read twice or out of turn shows.
std::string Numbered(std::size_t size) {
  std::string text(size, '\0');
  for (std::size_t i = 0; i < size; ++i)
    text[i] = static_cast<char>((i / 7) ^ (i / kBlock) * 31);
  return text;
}

// Each block is filled with its own number; it counts the reads, and may fail one.
class CountingFile final : public platform::File {
 public:
  std::size_t ReadBlock(void* data, std::size_t size) override {
    const int number = reads_++;
    if (number == failingRead) throw platform::IoError(5);
    std::memset(data, number, size);
    return size;
  }
  void WriteBlock(const void*, std::size_t) override {}
  std::int64_t Size() override { return 0; }
  void Seek(std::int64_t) override {}
  void Truncate() override {}

  int Reads() const { return reads_; }
  // Waits until `count` reads have begun; false when they did not within five seconds.
  bool AwaitReads(int count) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (reads_ < count) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::yield();
    }
    return true;
  }

  int failingRead = -1;

 private:
  std::atomic<int> reads_{0};
};

std::string ReadAll(BlockReader& reader) {
  std::string read;
  for (auto block = reader.Next(); !block.empty(); block = reader.Next())
    read.append(reinterpret_cast<const char*>(block.data()), block.size());
  return read;
}

TEST(BlockReaderTest, GivesEveryBlockInTurnAndThenNothing) {
  BlockReader reader;
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, kBlock - 1, kBlock, kBlock + 1,
                                 2 * kBlock, 7 * kBlock + 123}) {
    const std::string text = Numbered(size);
    MemoryFile file(text);
    reader.Start(file);
    EXPECT_TRUE(ReadAll(reader) == text) << size << " bytes";
    EXPECT_TRUE(reader.Next().empty()) << "at the end";
    reader.Stop();
  }
}

TEST(BlockReaderTest, AFailedReadIsRaisedAfterTheBlocksBeforeIt) {
  CountingFile file;
  file.failingRead = 2;
  BlockReader reader;
  reader.Start(file);
  EXPECT_EQ(reader.Next()[0], 0);
  // The failure is in by the time the block before it is taken.
  ASSERT_TRUE(file.AwaitReads(3));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(reader.Next()[0], 1);
  EXPECT_THROW(reader.Next(), platform::IoError);
  EXPECT_TRUE(reader.Next().empty()) << "read on after the failure";
  reader.Stop();
  EXPECT_EQ(file.Reads(), 3);
}

// The block taken last is the caller's while it converts it: the thread reads no further
// ahead than the other blocks.
TEST(BlockReaderTest, TheBlockInHandIsNeverReadInto) {
  CountingFile file;
  BlockReader reader;
  reader.Start(file);
  const auto first = reader.Next();
  ASSERT_TRUE(file.AwaitReads(BlockReader::kBlocks));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(file.Reads(), static_cast<int>(BlockReader::kBlocks));
  EXPECT_EQ(first[0], 0);
  EXPECT_EQ(first[kBlock - 1], 0);
  EXPECT_EQ(reader.Next()[0], 1) << "the first block is given back";
  ASSERT_TRUE(file.AwaitReads(BlockReader::kBlocks + 1));
  reader.Stop();
}

TEST(BlockReaderTest, AfterStopTheFileIsReadNoMoreAndTheNextBeginsAfresh) {
  CountingFile endless;
  BlockReader reader;
  reader.Start(endless);
  reader.Next();
  ASSERT_TRUE(endless.AwaitReads(2));
  reader.Stop();
  EXPECT_FALSE(reader.Reading());
  const int reads = endless.Reads();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(endless.Reads(), reads) << "read on after Stop";
  const std::string text = Numbered(3 * kBlock + 5);
  MemoryFile file(text);
  reader.Start(file);
  EXPECT_TRUE(ReadAll(reader) == text) << "nothing of the first file given";
  reader.Stop();
  EXPECT_EQ(endless.Reads(), reads);
}

}  // namespace
}  // namespace mxt::engine
