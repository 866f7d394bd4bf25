#include "platform/FullPath.h"

#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "platform/CurrentDirectory.h"

namespace mxt::platform {

namespace {

std::string Resolved(const std::string& folder) {
  const std::unique_ptr<char, void (*)(void*)> real(::realpath(folder.c_str(), nullptr), std::free);
  if (real) return real.get();
  const auto slash = folder.rfind('/');
  if (slash == std::string::npos || slash == 0) return folder;
  return Resolved(folder.substr(0, slash)) + folder.substr(slash);
}

std::string Joined(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

}  // namespace

std::string FullPath(const std::string& path) {
  std::string absolute = path;
  if (path.empty() || path[0] != '/') {
    const std::string here = CurrentDirectory();
    // In a folder removed since, a relative name names no file: none may be taken for it,
    // neither now nor once the program has moved to another folder.
    if (here.empty()) return {};
    absolute = Joined(here, path);
  }
  const auto slash = absolute.rfind('/');
  const std::string name = absolute.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") return Resolved(absolute);
  return Joined(Resolved(slash == 0 ? "/" : absolute.substr(0, slash)), name);
}

bool LeadsThroughLink(const std::string& path) {
  for (auto slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    struct stat info;
    if (::lstat(path.substr(0, slash).c_str(), &info) == 0 && S_ISLNK(info.st_mode)) return true;
  }
  return false;
}

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace mxt::platform
