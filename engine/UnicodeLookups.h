#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/KanjiCode.h"

namespace mxt::engine {

// A decoder is indexed by both bytes of a pair whose first byte is 80-FF: the bytes that
// are no pair of the code find 0 there, so the fast path needs no test of its own.
constexpr std::size_t kPairIndices = 0x8000;
constexpr std::size_t PairIndex(unsigned first, unsigned second) {
  return (first << 8 | second) - 0x8000;
}
// The index of the EUC image of a JIS pair (both bytes below 80), the arithmetic spelt out:
// the compiler does not see it.
constexpr std::size_t EUCImageIndex(unsigned first, unsigned second) {
  return first << 8 | second | 0x80;
}
static_assert(EUCImageIndex(0x30, 0x21) == PairIndex(0xB0, 0xA1));

// Whole-character lookups for the fast paths of the conversions to and from UTF-8, made from
// the cell tables on first use and kept with the converter.
class UnicodeLookups {
 public:
  // The plane-1 characters (tables::kPlane1Windows) in `mapping`.
  const std::uint16_t* Plane1(CharacterMapping mapping);
  // Indexed by PairIndex: the three UTF-8 bytes of the pair's character in the order they are
  // written, then a 0; 0 where the fast path does not go (no character, or one of fewer bytes).
  const std::uint32_t* Decoder(KanjiCode code, CharacterMapping mapping);
  // Indexed by a code point below U+10000: the two bytes of its Shift-JIS or EUC pair in the
  // order they are written, 0 where the fast path does not go (below U+0800, katakana, no
  // place, an EUC triple).
  const std::uint16_t* Encoder(std::uint8_t outputCode);

 private:
  std::unique_ptr<std::uint16_t[]> plane1JIS_;
  std::unique_ptr<std::uint32_t[]> decoders_[2][2];  // Shift-JIS, EUC by mapping
  std::unique_ptr<std::uint16_t[]> encoders_[2];     // Shift-JIS, EUC
};

}  // namespace mxt::engine
