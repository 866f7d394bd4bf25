#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileNameRule.h"

namespace mxt::fileconv {

class FileEntry;

inline constexpr std::uint32_t kPathIndexBuckets = 1001;

// The key under which the index finds a path: paths that name one file share a key.
std::string PathIndexKey(std::string_view path,
                         const platform::FileNameRule& rule = platform::SystemFileNameRule());

std::uint32_t PathHash(std::string_view key);

// Finds the input entries by their paths. It refers to the entries, which the list owns
// and frees.
class PathIndex {
 public:
  // The newest entry whose path has this key, or null.
  FileEntry* Find(std::string_view key,
                  const platform::FileNameRule& rule = platform::SystemFileNameRule()) const;
  void Add(FileEntry& entry, std::string_view key);
  void Clear();

 private:
  // An entry with the hash of its key before the bucket is taken from it, which is
  // compared first.
  struct Indexed {
    std::uint32_t hash;
    FileEntry* entry;
  };

  // Oldest first. A bucket's entries lie side by side: with a hundred thousand files a
  // bucket holds a hundred, which are looked through without following a pointer to each.
  std::array<std::vector<Indexed>, kPathIndexBuckets> buckets_;
};

}  // namespace mxt::fileconv
