#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileTime.h"

namespace mxt::platform {

enum class FileKind : std::uint8_t { Regular, Directory, Link, Other };

// Which file on disk a name or an open file is, and the marks that tell whether it
// changed: size and last-write time.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  FileKind kind = FileKind::Other;
  std::uint64_t links = 1;
  std::uint32_t permissions = 0;  // the mode's low twelve bits
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
  std::int64_t size = 0;
  FileTime lastWrite;
  FileTime lastAccess;

  bool SameFileAs(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
};

// The file a name leads to, links followed. Nothing when there is none.
std::optional<FileIdentity> FileIdentityOf(const std::string& path);
// The entry a name stands for itself: a symbolic link is a link here. Nothing when the
// name is not there.
std::optional<FileIdentity> EntryIdentity(const std::string& path);

}  // namespace mxt::platform
