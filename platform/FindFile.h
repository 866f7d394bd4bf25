#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileTime.h"

namespace mxt::platform {

namespace attr {
constexpr std::uint32_t kReadOnly = 0x01;
constexpr std::uint32_t kHidden = 0x02;
constexpr std::uint32_t kSystem = 0x04;
constexpr std::uint32_t kVolumeLabel = 0x08;
constexpr std::uint32_t kDirectory = 0x10;
}  // namespace attr

// One directory entry.
struct FindData {
  std::string name;
  std::uint32_t attributes = 0;
  std::int64_t size = 0;
  FileTime lastWrite;
  // The 8.3 alternate name: empty when the entry has none of its own, absent when the
  // system keeps no alternate names at all.
  std::optional<std::string> alternateName;
};

// The entry a path names, or nothing when there is none.
std::optional<FindData> FindFile(const std::string& path);

// The entries whose names match the wildcards ("*" and "?") of the pattern's last
// component, sorted by name; a pattern without wildcards finds at most its own entry.
std::vector<FindData> FindFiles(const std::string& pattern);

}  // namespace mxt::platform
