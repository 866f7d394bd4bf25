#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/KanjiCode.h"

namespace mxt::engine {

// The pairs a decoder knows: for Shift-JIS the lead bytes 81-9F and E0-FC end to end by the
// trail bytes 40-FF, for EUC A1-FE by A1-FE.
constexpr std::size_t kPairIndices = 60 * 192;
template <KanjiCode Code>
constexpr std::size_t PairIndex(unsigned first, unsigned second) {
  if constexpr (Code == KanjiCode::ShiftJIS) {
    return ((first ^ 0x20) - 0xA1) * 192 + (second - 0x40);
  } else {
    return (first - 0xA1) * 94 + (second - 0xA1);
  }
}

// Whole-character lookups for the fast paths of the conversions to and from UTF-8, made from
// the cell tables on first use and kept with the converter.
class UnicodeLookups {
 public:
  // The plane-1 characters (tables::kPlane1Windows) in `mapping`.
  const std::uint16_t* Plane1(CharacterMapping mapping);
  // Indexed by PairIndex of the code: the UTF-8 bytes of the pair's character (little-endian,
  // three of them), 0 where the fast path does not go (no character, or one of fewer bytes).
  const std::uint32_t* Decoder(KanjiCode code, CharacterMapping mapping);
  // Indexed by a code point below U+10000: the Shift-JIS or EUC pair (first << 8 | second),
  // 0 where the fast path does not go (ASCII, katakana, no place, an EUC triple).
  const std::uint16_t* Encoder(std::uint8_t outputCode);

 private:
  std::unique_ptr<std::uint16_t[]> plane1JIS_;
  std::unique_ptr<std::uint32_t[]> decoders_[2][2];  // Shift-JIS, EUC by mapping
  std::unique_ptr<std::uint16_t[]> encoders_[2];     // Shift-JIS, EUC
};

}  // namespace mxt::engine
