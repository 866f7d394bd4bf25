#pragma once

#include <cstdint>

namespace mxt::engine {

struct BytePair {
  std::uint8_t first;
  std::uint8_t second;
};

// Standard JIS X 0208 arithmetic; lead bytes F0-FC go through it unchecked. Written
// without branches: which half of a row a character falls in is random in real
// text, and a mispredicted branch costs more than the whole computation.
constexpr BytePair ShiftJISPairToJIS(std::uint8_t s1, std::uint8_t s2) {
  const unsigned lowHalf = s2 < 0x9F;  // odd JIS row
  const unsigned j1 = 2u * (s1 - 0x70u - (0x40u & -unsigned{s1 > 0x9F})) - lowHalf;
  const unsigned j2 = s2 - 0x7Eu + (0x5Fu & -lowHalf) - unsigned{s2 >= 0x7F && lowHalf};
  return {static_cast<std::uint8_t>(j1), static_cast<std::uint8_t>(j2)};
}

constexpr BytePair JISPairToShiftJIS(std::uint8_t j1, std::uint8_t j2) {
  const unsigned odd = j1 & 1u;
  const unsigned s1 = (((j1 + 1u) >> 1) + 0x70u) & 0xFFu;
  const unsigned oddTrail = (j2 + 0x1Fu) & 0xFFu;
  // Odd rows take j2 + 0x1F, stepping over 0x7F; even rows j2 + 0x7E.
  const unsigned s2 = oddTrail + ((0x5Fu & (odd - 1u)) | (odd & unsigned{oddTrail >= 0x7F}));
  return {static_cast<std::uint8_t>(s1 + (0x40u & -unsigned{s1 > 0x9F})),
          static_cast<std::uint8_t>(s2)};
}

// JISPairToShiftJIS(b & 0x7F, c & 0x7F) for two EUC bytes (A1-FE), in fewer steps:
// the hot path of EUC to Shift-JIS.
constexpr BytePair EUCPairToShiftJIS(std::uint8_t b, std::uint8_t c) {
  const unsigned s1 = (b + 0x61u) >> 1;
  const unsigned oddRowShift = (0x5Fu - unsigned{c >= 0xE0}) & -(b & 1u);
  return {static_cast<std::uint8_t>(s1 + (0x40u & -unsigned{s1 > 0x9F})),
          static_cast<std::uint8_t>(c - 2u - oddRowShift)};
}

}  // namespace mxt::engine
