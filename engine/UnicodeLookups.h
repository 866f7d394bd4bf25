#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "engine/KanjiCode.h"

namespace mxt::engine {

// A decoder is indexed by a pair's two bytes as one little-endian word, as the fast path
// loads them: the bytes that are no pair of the code find 0 there, so the fast path needs no
// test of its own.
constexpr std::size_t kPairIndices = 0x10000;
constexpr std::size_t PairIndex(unsigned first, unsigned second) {
  return first | second << 8;
}
// The pair that begins at `bytes`, as a decoder index: one load on a little-endian processor.
inline std::uint16_t PairAt(const std::uint8_t* bytes) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint16_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  } else {
    return static_cast<std::uint16_t>(PairIndex(bytes[0], bytes[1]));
  }
}
// The EUC image of a JIS pair (both bytes below 80) is the pair with both high bits set.
constexpr std::uint16_t kEUCImageBits = 0x8080;
static_assert((PairIndex(0x30, 0x21) | kEUCImageBits) == PairIndex(0xB0, 0xA1));

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
