#pragma once

#include <functional>
#include <optional>
#include <string>

#include "fileconv/PathText.h"
#include "platform/FindFile.h"

namespace mxt::fileconv {

// Looks up the directory entry a path names.
using NameFinder = std::function<std::optional<platform::FindData>(const std::string& path)>;

// The name the file system holds for the path's last component, or empty when it has no
// entry of its own (a root, a share root, a missing file). An all-upper-case name without
// a separate long name is re-cased (README.TXT becomes Readme.txt).
std::string TrueCaseName(const std::string& path, const NameFinder& find = platform::FindFile,
                         const FileNameRule& rule = platform::SystemFileNameRule());

// A path and, when its last component is shown re-cased, that name as the disk holds it.
struct CasedPath {
  std::string path;
  std::string diskName;
};

// The path rebuilt from the names the file system holds, up to the first component without
// an entry of its own; that prefix is kept, with a drive letter upper-cased.
CasedPath TrueCasePath(const std::string& path, const NameFinder& find = platform::FindFile,
                       const FileNameRule& rule = platform::SystemFileNameRule());

// A path as the file list keeps it: absolute, and in its true case where names ignore
// case; elsewhere with its folders resolved as the system resolves them and its last
// component as given.
CasedPath ListedPathOf(const std::string& path);
inline std::string ListedPath(const std::string& path) {
  return ListedPathOf(path).path;
}

}  // namespace mxt::fileconv
