#pragma once

#include <string>
#include <vector>

namespace mxt::app {

// Dropped or handed-over names with each folder among them replaced by the files below it,
// as /R finds them (name order folder by folder, no hidden names, no links to folders);
// a folder that cannot be read gives none.
std::vector<std::string> WithFolderFiles(const std::vector<std::string>& names);

}  // namespace mxt::app
