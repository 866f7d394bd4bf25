#pragma once

#include <string>

namespace mxt::platform {

// The absolute form of `path` under which the list keeps a file: its folder part resolved
// as the system resolves it (links, "." and ".."), its last component kept as given, so
// that two spellings of one file give one path. Folders that do not exist yet are kept as
// written. Empty, naming no file, for a relative path when there is no current folder.
std::string FullPath(const std::string& path);

// Whether a folder on the way to `path` (absolute) is now a symbolic link: a path FullPath
// gave has none.
bool LeadsThroughLink(const std::string& path);

// `folder` ending in the separator, as a search or a name joined to it wants it.
std::string WithSeparator(std::string folder);

}  // namespace mxt::platform
