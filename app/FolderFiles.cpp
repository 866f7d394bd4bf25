#include "app/FolderFiles.h"

#include "platform/FindFile.h"

namespace mxt::app {

std::vector<std::string> WithFolderFiles(const std::vector<std::string>& names) {
  std::vector<std::string> files;
  for (const std::string& name : names) {
    const auto found = platform::FindFile(name);
    if (!found || !(found->attributes & platform::attr::kDirectory)) {
      files.push_back(name);
      continue;
    }
    const std::string folder = name.ends_with('/') ? name : name + "/";
    for (const auto& [dir, data] : platform::FindFilesBelow(folder, "*", [](auto&, int) {}))
      files.push_back(dir + data.name);
  }
  return files;
}

}  // namespace mxt::app
