#pragma once

#include <cstdint>

#include "engine/KanjiCode.h"

namespace mxt::engine {

// The designator bytes written after ESC; a second byte of 0 is not written.
struct Designator {
  std::uint8_t first;
  std::uint8_t second;
};

// What JIS output writes to enter and to leave kanji mode.
struct EscapeSequence {
  Designator kanjiIn;
  Designator kanjiOut;
};

// The pair of a set; any value beyond the four sets is the first.
EscapeSequence EscapeSequenceOf(EscapeSequenceSet set);

}  // namespace mxt::engine
