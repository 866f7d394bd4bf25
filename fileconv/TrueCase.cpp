#include "fileconv/TrueCase.h"

#include "platform/FullPath.h"

namespace mxt::fileconv {

namespace {

std::string Joined(const std::string& folder, const std::string& name, const FileNameRule& rule) {
  return folder + rule.separator + name;
}

// Used when the last component does not exist (yet): the folders above it may.
std::string TrueCaseOfMissing(const std::string& path, const NameFinder& find,
                              const FileNameRule& rule) {
  std::string parent = ParentPath(path, rule);
  if (parent == path) return path;
  // A bare separator is the root of the drive or system, not an empty prefix.
  const bool underRoot = parent.size() == 1 && parent[0] == rule.separator;
  RemoveTrailingBackslash(parent, rule);
  UpcaseDriveLetter(parent, rule);
  std::string name = TrueCaseName(path, find, rule);
  if (name.empty()) name = FileNamePart(path, rule);
  if (underRoot) return Joined("", name, rule);
  const std::string prefix = TrueCaseOfMissing(parent, find, rule);
  return prefix.empty() ? name : Joined(prefix, name, rule);
}

// The name as the list shows it; `diskName` receives the name on disk when it was re-cased.
std::string TrueCaseName(const std::string& path, const NameFinder& find, const FileNameRule& rule,
                         std::string& diskName) {
  if (IsUncShareRoot(path, rule)) return "";
  const std::optional<platform::FindData> found = find(path);
  if (!found) return "";
  std::string name = found->name;
  const bool hasNoShortForm = found->alternateName && found->alternateName->empty();
  if (hasNoShortForm && IsAllUpperName(name, rule)) {
    diskName = name;
    CapitalizeName(name, rule);
  }
  return name == "." ? "" : name;
}

}  // namespace

std::string TrueCaseName(const std::string& path, const NameFinder& find,
                         const FileNameRule& rule) {
  std::string diskName;
  return TrueCaseName(path, find, rule, diskName);
}

CasedPath TrueCasePath(const std::string& path, const NameFinder& find, const FileNameRule& rule) {
  std::string diskName;
  std::string result = TrueCaseName(path, find, rule, diskName);
  if (result.empty()) return {TrueCaseOfMissing(path, find, rule), ""};
  std::string rest = path;
  for (;;) {
    const std::string parent = ParentPath(rest, rule);
    if (parent == rest) break;
    rest = parent;
    const std::string name = TrueCaseName(rest, find, rule);
    if (name.empty()) break;
    result = Joined(name, result, rule);
  }
  RemoveTrailingBackslash(rest, rule);
  UpcaseDriveLetter(rest, rule);
  return {Joined(rest, result, rule), diskName};
}

CasedPath ListedPathOf(const std::string& path) {
  std::string full = platform::FullPath(path);
  if (platform::SystemFileNameRule().ignoresAsciiCase) return TrueCasePath(full);
  return {std::move(full), ""};
}

}  // namespace mxt::fileconv
