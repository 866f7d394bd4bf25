#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace mxt::platform {

// A file is read-only when this user may not write it, and also without any write bit at
// all, which even root leaves alone.
inline bool IsReadOnly(const struct stat& info, const std::string& path) {
  return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace mxt::platform
