#pragma once

#include <cstdint>

namespace mxt::platform {

// A last-write time as the file system keeps it.
struct FileTime {
  std::int64_t seconds = 0;
  std::int32_t nanoseconds = 0;

  friend bool operator==(const FileTime&, const FileTime&) = default;
};

}  // namespace mxt::platform
