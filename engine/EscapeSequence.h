#pragma once

#include <cstdint>

#include "engine/KanjiCode.h"

namespace mxt::engine {

// Per set: kanji-in designator, then kanji-out designator, each written after an
// ESC; a space in a designator's second place means it has one character only.
extern const char EscapeSequenceTable[4][5];

// The designator bytes written after ESC; a second byte of 0 is not written.
struct Designator {
  std::uint8_t first;
  std::uint8_t second;
};

extern Designator KanjiInSequence;
extern Designator KanjiOutSequence;

void SelectEscapeSequenceSet(EscapeSequenceSet set);

}  // namespace mxt::engine
