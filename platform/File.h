#pragma once

#include <cstddef>
#include <cstdint>

namespace mxt::platform {

// Block access to an open file. Every failure raises IoError; the calls are
// per block, never per byte, so the indirection costs nothing measurable.
class File {
 public:
  virtual ~File() = default;

  // Reads up to `size` bytes; returns how many were read, 0 at the end of the file.
  virtual std::size_t ReadBlock(void* data, std::size_t size) = 0;
  // Writes all `size` bytes.
  virtual void WriteBlock(const void* data, std::size_t size) = 0;
  virtual std::int64_t Size() = 0;
  virtual void Seek(std::int64_t position) = 0;
  // Cuts the file off at the current position.
  virtual void Truncate() = 0;
};

}  // namespace mxt::platform
