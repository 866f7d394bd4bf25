#pragma once

#include <cstdint>
#include <functional>
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
// A symbolic link; the other attributes describe what it leads to.
constexpr std::uint32_t kLink = 0x400;
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

// A file found below a folder: the folder it is in (ending in "/") and its entry.
struct FoundBelow {
  std::string folder;
  FindData data;
};
// The files in `folder` and the folders below it, to any depth, whose names match the
// wildcards of `pattern`: each folder's files in name order, then its folders in name
// order. Folders whose names begin with "." and symbolic links to folders are passed over,
// so no link leads the search round in a loop; so are files whose names begin with ".",
// unless the pattern does. A folder that cannot be read or entered, or whose path is too
// long for the system, is told to `unreadable` with the system's error code, and the
// search goes on.
std::vector<FoundBelow> FindFilesBelow(
    const std::string& folder, const std::string& pattern,
    const std::function<void(const std::string& folder, int error)>& unreadable);

}  // namespace mxt::platform
