#pragma once

#include <string>
#include <string_view>

namespace mxt::testing {

// Builds a byte string from hexadecimal bytes and quoted text, as in
// "'A' 88 9F ESC '$B' 0A": two-digit hex, 'text', ESC, SO and SI.
std::string Bytes(std::string_view notation);

// Shows bytes as the same notation, for readable failure messages.
std::string Notation(std::string_view bytes);

}  // namespace mxt::testing
