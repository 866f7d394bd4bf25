#include "platform/CurrentDirectory.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace mxt::platform {

std::string CurrentDirectory() {
  std::vector<char> buffer(256);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return "";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool ChangeDirectory(const std::string& path) {
  return ::chdir(path.c_str()) == 0;
}

}  // namespace mxt::platform
