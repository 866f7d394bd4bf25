#include "fileconv/PathIndex.h"

#include <array>

#include "fileconv/FileEntry.h"
#include "fileconv/PathText.h"

namespace mxt::fileconv {

namespace {

std::uint32_t FullHash(std::string_view key) {
  std::uint32_t hash = 0;
  for (const char c : key)
    hash = hash * 31 + static_cast<unsigned char>(c);
  return hash;
}

// Whether an entry's path has this key, without making the key of every path in the
// bucket.
bool HasKey(const std::string& path, std::string_view key, const platform::FileNameRule& rule) {
  if (path.size() != key.size()) return false;  // lower-casing keeps the length
  return rule.ignoresAsciiCase ? LowerAscii(path, rule) == key : path == key;
}

}  // namespace

std::string PathIndexKey(std::string_view path, const platform::FileNameRule& rule) {
  return rule.ignoresAsciiCase ? LowerAscii(path, rule) : std::string(path);
}

std::uint32_t PathHash(std::string_view key) {
  return FullHash(key) % kPathIndexBuckets;
}

FileEntry* PathIndex::Find(std::string_view key, const platform::FileNameRule& rule) const {
  const std::uint32_t hash = FullHash(key);
  const std::vector<Indexed>& bucket = buckets_[hash % kPathIndexBuckets];
  for (auto it = bucket.rbegin(); it != bucket.rend(); ++it) {
    if (it->hash == hash && HasKey(it->entry->Path, key, rule)) return it->entry;
  }
  return nullptr;
}

void PathIndex::Add(FileEntry& entry, std::string_view key) {
  const std::uint32_t hash = FullHash(key);
  buckets_[hash % kPathIndexBuckets].push_back({hash, &entry});
}

void PathIndex::Clear() {
  for (std::vector<Indexed>& bucket : buckets_)
    bucket.clear();
}

}  // namespace mxt::fileconv
