#pragma once

#include <string>
#include <vector>

namespace mxt::platform {

// Starts arguments[0] (looked up in PATH when it holds no "/") with these arguments,
// detached: it outlives this process, is never waited for and leaves no zombie. False
// when the program could not be started (not found, not executable).
bool StartDetached(const std::vector<std::string>& arguments);

}  // namespace mxt::platform
