#pragma once

#include <string>

namespace mxt::app {

// What "mxt /HELP" prints: the options, the exit codes and where the settings live.
std::string UsageText();

}  // namespace mxt::app
