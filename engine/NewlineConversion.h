#pragma once

#include <cstdint>

#include "engine/ConversionBuffers.h"

namespace mxt::engine {

// Both convert into the newline buffer and return the number of bytes placed there.
// CR LF, a lone CR and a lone LF are each one newline; a CR LF pair split between
// two blocks is joined through the buffers' PendingCR.
std::uint32_t ConvertNewlinesToCRLF(ConversionBuffers& buffers, const std::uint8_t* data,
                                    std::uint32_t count);
std::uint32_t ConvertNewlinesToByte(ConversionBuffers& buffers, const std::uint8_t* data,
                                    std::uint32_t count, std::uint8_t newline);

}  // namespace mxt::engine
