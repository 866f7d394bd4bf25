#include "engine/EscapeSequence.h"

namespace mxt::engine {

namespace {

// Per set: kanji-in designator, then kanji-out designator, each written after an ESC; a
// space in a designator's second place means it has one character only.
constexpr char kEscapeSequenceTable[4][5] = {"$B(J", "$B(B", "$@(J", "K H "};

Designator DesignatorAt(const char* text) {
  return {static_cast<std::uint8_t>(text[0]),
          static_cast<std::uint8_t>(text[1] == ' ' ? 0 : text[1])};
}

}  // namespace

EscapeSequence EscapeSequenceOf(EscapeSequenceSet set) {
  const auto index = static_cast<std::uint8_t>(set);
  const char* entry = kEscapeSequenceTable[index < 4 ? index : 0];
  return {DesignatorAt(entry), DesignatorAt(entry + 2)};
}

}  // namespace mxt::engine
