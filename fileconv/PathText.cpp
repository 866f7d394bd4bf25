#include "fileconv/PathText.h"

#include <cstddef>

namespace mxt::fileconv {

namespace {

bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
  return c >= 'a' && c <= 'z';
}

// Calls `visit(index)` for each single-byte character; a lead byte at the very end ends
// the scan.
template <typename Visit>
void ForEachSingleByte(std::string_view text, const FileNameRule& rule, Visit visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (rule.isLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else {
      visit(i);
    }
  }
}

// Whether the text's last character is the single byte `c`.
bool EndsWithSingleByte(std::string_view text, char c, const FileNameRule& rule) {
  return !text.empty() && LastSingleByteOf(text, std::string_view(&c, 1), rule) == text.size() - 1;
}

std::string Separators(const FileNameRule& rule) {
  std::string separators(1, rule.separator);
  if (rule.hasDrives) separators += ':';
  return separators;
}

template <typename Change>
std::string ChangedSingleBytes(std::string_view text, const FileNameRule& rule, Change change) {
  std::string result(text);
  ForEachSingleByte(text, rule, [&](std::size_t i) { result[i] = change(result[i]); });
  return result;
}

}  // namespace

std::size_t LastSingleByteOf(std::string_view text, std::string_view chars,
                             const FileNameRule& rule) {
  std::size_t found = std::string_view::npos;
  ForEachSingleByte(text, rule, [&](std::size_t i) {
    if (chars.find(text[i]) != std::string_view::npos) found = i;
  });
  return found;
}

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string LowerAscii(std::string_view text, const FileNameRule& rule) {
  return ChangedSingleBytes(text, rule, [](char c) { return IsUpper(c) ? char(c + 32) : c; });
}

std::string UpperAscii(std::string_view text, const FileNameRule& rule) {
  return ChangedSingleBytes(text, rule, [](char c) { return IsLower(c) ? char(c - 32) : c; });
}

bool IsAllUpperName(std::string_view name, const FileNameRule& rule) {
  bool upper = false, lower = false;
  ForEachSingleByte(name, rule, [&](std::size_t i) {
    upper = upper || IsUpper(name[i]);
    lower = lower || IsLower(name[i]);
  });
  return upper && !lower;
}

void CapitalizeName(std::string& name, const FileNameRule& rule) {
  name = LowerAscii(name, rule);
  if (!name.empty() && IsLower(name[0])) name[0] = char(name[0] - 32);
}

void UpcaseDriveLetter(std::string& path, const FileNameRule& rule) {
  if (rule.hasDrives && path.size() == 2 && path[1] == ':' && IsLower(path[0])) {
    path[0] = char(path[0] - 32);
  }
}

void RemoveTrailingBackslash(std::string& path, const FileNameRule& rule) {
  if (EndsWithSingleByte(path, rule.separator, rule)) path.pop_back();
}

void RemoveTrailingDot(std::string& path) {
  if (!path.empty() && path.back() == '.') path.pop_back();
}

bool IsUncShareRoot(std::string_view path, const FileNameRule& rule) {
  const char separator = rule.separator;
  if (!rule.hasDrives || path.size() < 2 || path[0] != separator || path[1] != separator) {
    return false;
  }
  const std::string_view rest = path.substr(2);
  std::size_t separators = 0, first = std::string_view::npos;
  ForEachSingleByte(rest, rule, [&](std::size_t i) {
    if (rest[i] != separator) return;
    if (separators++ == 0) first = i;
  });
  return separators == 1 && first > 0 && first + 1 < rest.size();
}

std::string NormalizeDirectory(std::string_view text, const FileNameRule& rule) {
  const auto begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return "";
  std::string result(text.substr(begin, text.find_last_not_of(' ') - begin + 1));
  if (!EndsWithSingleByte(result, rule.separator, rule)) result += rule.separator;
  return result;
}

std::string FileNamePart(std::string_view path, const FileNameRule& rule) {
  const std::size_t last = LastSingleByteOf(path, Separators(rule), rule);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string ShownOnOneLine(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return shown;
}

std::string ShownFileName(std::string_view path, const FileNameRule& rule) {
  return ShownOnOneLine(FileNamePart(path, rule));
}

std::string DirectoryPart(std::string_view path, const FileNameRule& rule) {
  return std::string(path.substr(0, path.size() - FileNamePart(path, rule).size()));
}

std::string ParentPath(std::string_view path, const FileNameRule& rule) {
  const std::size_t last = LastSingleByteOf(path, Separators(rule), rule);
  std::string parent(last == std::string_view::npos ? "" : path.substr(0, last + 1));
  // "D:\" and "/" keep their separator: they are roots, not folders with a name.
  const bool root =
      parent.size() == 1 || (rule.hasDrives && parent.size() == 3 && parent[1] == ':');
  if (!root) RemoveTrailingBackslash(parent, rule);
  return parent;
}

}  // namespace mxt::fileconv
