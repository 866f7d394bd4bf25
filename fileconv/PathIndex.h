#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileNameRule.h"

namespace mxt::fileconv {

class FileEntry;

inline constexpr std::uint32_t kPathIndexBuckets = 1001;

// The key under which the index finds a path: paths that name one file share a key.
std::string PathIndexKey(std::string_view path,
                         const platform::FileNameRule& rule = platform::SystemFileNameRule());

std::uint32_t PathHash(std::string_view key);

// Finds the input entries by their paths. It refers to the entries, which the list owns
// and frees; it chains them through their own Next.
class PathIndex {
 public:
  // The newest entry whose path has this key, or null.
  FileEntry* Find(std::string_view key,
                  const platform::FileNameRule& rule = platform::SystemFileNameRule()) const;
  void Add(FileEntry& entry, std::string_view key);
  void Clear() { heads_.fill(nullptr); }

 private:
  std::array<FileEntry*, kPathIndexBuckets> heads_{};
};

}  // namespace mxt::fileconv
