#include "fileconv/PathIndex.h"

#include <array>

#include "fileconv/PathText.h"
#include "fileconv/TMXTFile.h"

namespace mxt::fileconv {

namespace {

std::array<TMXTFile*, kPathIndexBuckets> heads{};

}  // namespace

std::string PathIndexKey(std::string_view path, const platform::FileNameRule& rule) {
  return rule.ignoresAsciiCase ? LowerAscii(path, rule) : std::string(path);
}

std::uint32_t PathHash(std::string_view key) {
  std::uint32_t hash = 0;
  for (const char c : key)
    hash = hash * 31 + static_cast<unsigned char>(c);
  return hash % kPathIndexBuckets;
}

TMXTFile* FindByPath(std::string_view key, const platform::FileNameRule& rule) {
  for (TMXTFile* entry = heads[PathHash(key)]; entry; entry = entry->Next) {
    if (PathIndexKey(entry->Path, rule) == key) return entry;
  }
  return nullptr;
}

void AddToPathIndex(TMXTFile& entry, std::string_view key) {
  TMXTFile*& head = heads[PathHash(key)];
  entry.Next = head;
  head = &entry;
}

void ClearPathIndex() {
  heads.fill(nullptr);
}

}  // namespace mxt::fileconv
