#pragma once

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

// The newest input entry whose path has this key, or null. The index refers to the entries;
// the list that owns them frees them.
FileEntry* FindByPath(std::string_view key,
                      const platform::FileNameRule& rule = platform::SystemFileNameRule());
void AddToPathIndex(FileEntry& entry, std::string_view key);
void ClearPathIndex();

}  // namespace mxt::fileconv
