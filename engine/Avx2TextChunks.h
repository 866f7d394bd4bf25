#pragma once

#include <cstddef>
#include <cstdint>

namespace mxt::engine {

// The text chunks thirty-two bytes at a time, built for processors with AVX2: call
// them only where the processor has it.
std::size_t ShiftJISToEUCChunksAvx2(const std::uint8_t* in, std::uint8_t* out, std::size_t length);
std::size_t EUCToShiftJISChunksAvx2(const std::uint8_t* in, std::uint8_t* out, std::size_t length);

}  // namespace mxt::engine
