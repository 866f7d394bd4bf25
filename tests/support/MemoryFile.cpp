#include "tests/support/MemoryFile.h"

#include <algorithm>
#include <cstring>

#include "platform/IoError.h"

namespace mxt::testing {

std::size_t MemoryFile::ReadBlock(void* data, std::size_t size) {
  if (position_ >= content_.size()) return 0;
  const std::size_t count = std::min(size, content_.size() - position_);
  std::memcpy(data, content_.data() + position_, count);
  position_ += count;
  return count;
}

void MemoryFile::WriteBlock(const void* data, std::size_t size) {
  ++writeCalls_;
  if (position_ + size > writeLimit_) throw platform::IoError(failureCode_);
  const auto* bytes = static_cast<const char*>(data);
  const std::size_t overlap =
      std::min(size, content_.size() - std::min(position_, content_.size()));
  content_.replace(position_, overlap, bytes, size);
  position_ += size;
}

}  // namespace mxt::testing
