#pragma once

#include <string>
#include <string_view>

namespace mxt::platform {

// A string as the system gives it (a file name, say), as UTF-8 for a message.
std::string SystemStringToUtf8(std::string_view text);

}  // namespace mxt::platform
