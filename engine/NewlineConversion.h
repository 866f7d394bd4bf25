#pragma once

#include <cstdint>

namespace mxt::engine {

// Both convert into the newline buffer and return the number of bytes placed there.
// CR LF, a lone CR and a lone LF are each one newline; a CR LF pair split between
// two blocks is joined through the record's PendingCR.
std::uint32_t ConvertNewlinesToCRLF(const std::uint8_t* data, std::uint32_t count);
std::uint32_t ConvertNewlinesToByte(const std::uint8_t* data, std::uint32_t count,
                                    std::uint8_t newline);

}  // namespace mxt::engine
