#pragma once

#include <cstdint>

// The characters of the JIS cells and the cells of the characters, as the generator made
// them. A cell is written (plane 2 ? 0x8000 : 0) | row << 8 | cell, rows and cells from 1;
// 0 is no cell, and no character.
namespace mxt::engine::tables {

constexpr int kPlane1Rows = 120;
constexpr int kCells = 94;
constexpr int kEncodeBlock = 64;
constexpr std::uint16_t kSupplementary = 0x8000;

// Row by row, 94 cells each: the character of each cell of plane 1 (Shift-JIS rows up to
// FC) in the Windows mapping, and of JIS X 0212.
extern const std::uint16_t kPlane1Windows[kPlane1Rows * kCells];
extern const std::uint16_t kPlane2[kCells * kCells];

// The cells whose character the mapping decides, and their character in JIS (Unix).
struct LookAlikeCell {
  std::uint8_t row;
  std::uint8_t cell;
  std::uint16_t jis;
};
inline constexpr int kLookAlikeCells = 7;
extern const LookAlikeCell kJISLookAlikes[kLookAlikeCells];

// The cell a code point below U+10000 is written in: kXBlockOf names its block of 64 in
// kXCells. Shift-JIS follows Windows' choices; EUC and JIS keep to rows 1-94 and plane 2.
extern const std::uint16_t kShiftJISBlockOf[0x10000 / kEncodeBlock];
extern const std::uint16_t kShiftJISCells[];
extern const std::uint16_t kEUCBlockOf[0x10000 / kEncodeBlock];
extern const std::uint16_t kEUCCells[];

}  // namespace mxt::engine::tables
