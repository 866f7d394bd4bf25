#include "platform/FindFile.h"

#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "platform/posix/ReadOnlyRule.h"

namespace mxt::platform {

namespace {

bool BeginsWithDot(const std::string& name) {
  return !name.empty() && name[0] == '.';
}

std::uint32_t Attributes(const struct stat& info, const std::string& path, bool hidden) {
  std::uint32_t attributes = hidden ? attr::kHidden : 0;
  if (IsReadOnly(info, path)) attributes |= attr::kReadOnly;
  if (S_ISDIR(info.st_mode)) {
    attributes |= attr::kDirectory;
  } else if (!S_ISREG(info.st_mode)) {
    attributes |= attr::kVolumeLabel;
  }
  return attributes;
}

// `patternName` is the last component the caller asked for: a dot-file is hidden unless
// asked for by a name that itself begins with a dot.
std::optional<FindData> Describe(const std::string& path, const std::string& name,
                                 const std::string& patternName) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  const bool link = S_ISLNK(info.st_mode);
  if (link && ::stat(path.c_str(), &info) != 0) return std::nullopt;
  FindData data;
  data.name = name;
  data.attributes = Attributes(info, path, BeginsWithDot(name) && !BeginsWithDot(patternName));
  if (link) data.attributes |= attr::kLink;
  data.size = info.st_size;
  data.lastWrite = {info.st_mtim.tv_sec, static_cast<std::int32_t>(info.st_mtim.tv_nsec)};
  return data;
}

struct Split {
  std::string folder;  // with its final "/", or empty for the current folder
  std::string name;
};

Split SplitLast(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// Only "*" and "?" are wildcards, as on the system the program was first made for:
// "[" and "\" are ordinary characters of a name, as a shell passes "report[2023].txt".
bool HasWildcards(const std::string& name) {
  return name.find_first_of("*?") != std::string::npos;
}

bool Matches(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  // Where the last "*" was, and where in the name its match ends so far.
  std::size_t star = std::string_view::npos, starEnd = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      starEnd = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++starEnd;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

}  // namespace

std::optional<FindData> FindFile(const std::string& path) {
  const Split split = SplitLast(path);
  return Describe(path, split.name, split.name);
}

// The names in a folder that `keep` accepts, in order; nothing when it cannot be read.
std::optional<std::vector<std::string>> NamesIn(const std::string& folder,
                                                const std::function<bool(std::string_view)>& keep) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                                ::closedir);
  if (!dir) return std::nullopt;
  // The names are put in order before each is looked up: sorting the entries found
  // would move far more.
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != ".." && keep(name)) names.emplace_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void FindBelow(const std::string& folder, const std::string& pattern,
               const std::function<void(const std::string&, int)>& unreadable,
               std::vector<FoundBelow>& found) {
  // Hidden files are found when the pattern names them; hidden folders are never searched.
  const bool hiddenNamed = BeginsWithDot(pattern);
  const auto names =
      NamesIn(folder, [&](std::string_view name) { return name[0] != '.' || hiddenNamed; });
  if (!names) return unreadable(folder, errno);
  // A folder that can be listed but not entered shows names that cannot be looked up.
  if (!names->empty() && ::access(folder.c_str(), X_OK) != 0) return unreadable(folder, errno);
  std::vector<std::string> folders;
  for (const std::string& name : *names) {
    auto data = Describe(folder + name, name, pattern);
    if (!data) {
      // A path too long for the system reaches nothing below it.
      if (errno == ENAMETOOLONG) unreadable(folder + name + "/", errno);
      continue;
    }
    if (!(data->attributes & attr::kDirectory)) {
      if (Matches(pattern, name)) found.push_back({folder, std::move(*data)});
    } else if (!(data->attributes & attr::kLink) && !BeginsWithDot(name)) {
      folders.push_back(folder + name + "/");
    }
  }
  for (const std::string& below : folders)
    FindBelow(below, pattern, unreadable, found);
}

std::vector<FindData> FindFiles(const std::string& pattern) {
  const Split split = SplitLast(pattern);
  std::vector<FindData> found;
  if (!HasWildcards(split.name)) {
    if (auto data = FindFile(pattern)) found.push_back(std::move(*data));
    return found;
  }
  const auto names =
      NamesIn(split.folder, [&](std::string_view name) { return Matches(split.name, name); });
  for (const std::string& name : names.value_or(std::vector<std::string>{})) {
    if (auto data = Describe(split.folder + name, name, split.name))
      found.push_back(std::move(*data));
  }
  return found;
}

std::vector<FoundBelow> FindFilesBelow(
    const std::string& folder, const std::string& pattern,
    const std::function<void(const std::string&, int)>& unreadable) {
  std::vector<FoundBelow> found;
  FindBelow(folder, pattern, unreadable, found);
  return found;
}

}  // namespace mxt::platform
