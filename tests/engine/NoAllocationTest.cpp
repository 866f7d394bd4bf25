// Counts every allocation made while whole files stream through the engine.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/Converter.h"
#include "platform/OsFile.h"
#include "tests/support/EngineRun.h"
#include "tests/support/TempDir.h"

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
  testing::TempDir dir;
  std::string text;
  // Blocks enough that the input is read ahead where it is.
  for (int i = 0; i < 100000; ++i)
    text += "\x88\x9f\xb1 abc\r\n";
  platform::OsFile::Create(dir / "in").WriteBlock(text.data(), text.size());
  platform::OsFile input = platform::OsFile::OpenForReading(dir / "in");
  platform::OsFile output = platform::OsFile::Create(dir / "out");

  Converter converter;
  const auto convertInto = [&](std::uint8_t outputCode) {
    input.Seek(0);
    testing::StreamFile(converter, input, output,
                        {KanjiCode::ShiftJIS, NewlineCode::LF, {outputCode, true, true}});
    EXPECT_EQ(converter.Buffers().TotalRead, static_cast<std::int64_t>(text.size()));
  };
  // The Unicode tables are made on their first use, once.
  convertInto(kOutputUTF8);
  const long before = allocations;
  for (std::uint8_t outputCode = 0; outputCode <= kOutputUTF8; ++outputCode)
    convertInto(outputCode);
  EXPECT_EQ(allocations - before, 0);
}

}  // namespace
}  // namespace mxt::engine
