#include "engine/EscapeSequence.h"

namespace mxt::engine {

const char EscapeSequenceTable[4][5] = {"$B(J", "$B(B", "$@(J", "K H "};

Designator KanjiInSequence = {'$', 'B'};
Designator KanjiOutSequence = {'(', 'J'};

namespace {

Designator DesignatorAt(const char* text) {
  return {static_cast<std::uint8_t>(text[0]),
          static_cast<std::uint8_t>(text[1] == ' ' ? 0 : text[1])};
}

}  // namespace

void SelectEscapeSequenceSet(EscapeSequenceSet set) {
  const auto index = static_cast<std::uint8_t>(set);
  const char* entry = EscapeSequenceTable[index < 4 ? index : 0];
  KanjiInSequence = DesignatorAt(entry);
  KanjiOutSequence = DesignatorAt(entry + 2);
}

}  // namespace mxt::engine
