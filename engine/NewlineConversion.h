#pragma once

#include <cstdint>

namespace mxt::engine {

// Both convert `count` bytes into `out`, which has room for twice as many, and return the
// number of bytes placed there. CR LF, a lone CR and a lone LF are each one newline; a CR
// LF pair split between two blocks is joined through `pendingCR`, which tells whether the
// block before ended with a CR.
std::uint32_t ConvertNewlinesToCRLF(const std::uint8_t* data, std::uint32_t count,
                                    std::uint8_t* out, bool& pendingCR);
std::uint32_t ConvertNewlinesToByte(const std::uint8_t* data, std::uint32_t count,
                                    std::uint8_t newline, std::uint8_t* out, bool& pendingCR);

}  // namespace mxt::engine
