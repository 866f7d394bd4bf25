#pragma once

#include <string>

namespace mxt::platform {

// The process's current directory; empty when the system cannot tell (it was removed).
std::string CurrentDirectory();

// Makes `path` the current directory; false when it cannot.
bool ChangeDirectory(const std::string& path);

}  // namespace mxt::platform
