#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "platform/File.h"

namespace mxt::testing {

// A file held in memory, with an optional write failure after a given number of bytes.
class MemoryFile final : public platform::File {
 public:
  MemoryFile() = default;
  explicit MemoryFile(std::string content) : content_(std::move(content)) {}

  const std::string& Content() const { return content_; }
  std::string& Content() { return content_; }
  void Rewind() { position_ = 0; }
  // The write that would take the file past `limit` bytes fails with `osCode`.
  void FailWritesBeyond(std::size_t limit, int osCode) {
    writeLimit_ = limit;
    failureCode_ = osCode;
  }
  int WriteCalls() const { return writeCalls_; }

  std::size_t ReadBlock(void* data, std::size_t size) override;
  void WriteBlock(const void* data, std::size_t size) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(content_.size()); }
  void Seek(std::int64_t position) override { position_ = static_cast<std::size_t>(position); }
  void Truncate() override { content_.resize(position_); }

 private:
  std::string content_;
  std::size_t position_ = 0;
  std::size_t writeLimit_ = std::numeric_limits<std::size_t>::max();
  int failureCode_ = 0;
  int writeCalls_ = 0;
};

}  // namespace mxt::testing
