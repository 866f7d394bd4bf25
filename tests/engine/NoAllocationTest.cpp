// Counts every allocation made while whole files stream through the engine.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/ConversionBuffers.h"
#include "engine/StreamConversion.h"
#include "platform/OsFile.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace mxt::engine {
namespace {

TEST(NoAllocationTest, NothingIsAllocatedAfterTheBuffers) {
  char pattern[] = "/tmp/mxt-alloc-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string dir = pattern;
  std::string text;
  for (int i = 0; i < 20000; ++i)
    text += "\x88\x9f\xb1 abc\r\n";
  platform::OsFile::Create(dir + "/in").WriteBlock(text.data(), text.size());
  platform::OsFile input = platform::OsFile::OpenForReading(dir + "/in");
  platform::OsFile output = platform::OsFile::Create(dir + "/out");

  AllocateConversionBuffers();
  const long before = allocations;
  for (std::uint8_t outputCode = 0; outputCode < 3; ++outputCode) {
    input.Seek(0);
    output.Seek(0);
    Buffers.InputFile = &input;
    Buffers.OutputFile = &output;
    Buffers.TotalRead = 0;
    ASSERT_FALSE(RefillInput());
    Buffers.DetectedCode = KanjiCode::ShiftJIS;
    Buffers.NewlineMode = NewlineCode::LF;
    StreamInputToOutput({outputCode, true, true});
    EXPECT_EQ(Buffers.TotalRead, static_cast<std::int64_t>(text.size()));
  }
  EXPECT_EQ(allocations - before, 0);
  FreeConversionBuffers();
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace mxt::engine
