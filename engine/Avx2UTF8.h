#pragma once

#include <cstdint>

namespace mxt::engine {

// How far whole chunks of data were found well-formed UTF-8.
struct UTF8Chunks {
  bool wellFormed;
  // Where the byte-wise test goes on: the start of a character the last chunk may cut.
  std::uint32_t restart;
  // Whether a multi-byte character ends before `restart`.
  bool multiByte;
};

// Tests the data thirty-two bytes at a time as far as whole chunks go, built for
// processors with AVX2: call it only where the processor has it.
UTF8Chunks CheckUTF8ChunksAvx2(const std::uint8_t* data, std::uint32_t length);

}  // namespace mxt::engine
