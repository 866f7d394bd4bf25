#pragma once

#include <cstdint>

#include "engine/CharacterTables.h"
#include "engine/PairArithmetic.h"

namespace mxt::engine {

// The character of a plane-1 cell given by its two JIS bytes (21-7E, rows beyond 94 as the
// Shift-JIS arithmetic numbers them); 0 for none.
inline std::uint16_t Plane1Character(const std::uint16_t* plane1, unsigned j1, unsigned j2) {
  return plane1[(j1 - 0x21) * tables::kCells + (j2 - 0x21)];
}

// The cell a code point is written in through a two-level index; 0 for none.
inline std::uint16_t CellOf(const std::uint16_t* blockOf, const std::uint16_t* cells,
                            std::int32_t cp) {
  if (cp < 0 || cp > 0xFFFF) return 0;
  const auto point = static_cast<std::uint32_t>(cp);
  return cells[blockOf[point / tables::kEncodeBlock] * tables::kEncodeBlock +
               point % tables::kEncodeBlock];
}

// Where EUC and JIS write a Shift-JIS character beyond their rows (lead F0-FC): an IBM
// kanji's twin among the NEC-selected rows or in row 2, as JIS bytes; nothing (a first
// byte 0) for the user-defined area.
inline BytePair CellWithinJISRows(std::uint8_t lead, std::uint8_t trail) {
  const BytePair j = ShiftJISPairToJIS(lead, trail);
  const std::uint16_t cp = Plane1Character(tables::kPlane1Windows, j.first, j.second);
  const std::uint16_t cell = CellOf(tables::kEUCBlockOf, tables::kEUCCells, cp);
  if (cell == 0 || (cell & tables::kSupplementary)) return {0, 0};
  return {static_cast<std::uint8_t>((cell >> 8) + 0x20),
          static_cast<std::uint8_t>((cell & 0xFF) + 0x20)};
}

}  // namespace mxt::engine
