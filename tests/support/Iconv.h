#pragma once

#include <optional>
#include <string>

namespace mxt::testing {

// glibc's iconv(3) over a whole text, reset sequence included; nothing when it
// refuses the input.
std::optional<std::string> Iconv(const std::string& text, const char* from, const char* to);

}  // namespace mxt::testing
