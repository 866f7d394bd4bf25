#pragma once

#include <cstdint>
#include <memory>

#include "engine/KanjiCode.h"

namespace mxt::engine {

// Whole-character lookups for the fast path of the conversions from UTF-8, made from the
// cell tables on first use and kept with the converter.
class UnicodeLookups {
 public:
  // Indexed by a code point below U+10000: the Shift-JIS or EUC pair (first << 8 | second),
  // 0 where the fast path does not go (ASCII, katakana, no place, an EUC triple).
  const std::uint16_t* Encoder(std::uint8_t outputCode);

 private:
  std::unique_ptr<std::uint16_t[]> encoders_[2];  // Shift-JIS, EUC
};

}  // namespace mxt::engine
