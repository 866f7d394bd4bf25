#pragma once

#include <cstdint>

#include "engine/KanjiCode.h"

namespace mxt::engine {

// The most bytes the binary test, and the look-ahead after an ambiguous pair, examine.
constexpr std::uint32_t kClassificationWindow = 1024;

// Which control characters 0x00-0x1F count as signs of a binary file.
extern const bool BinaryControlChars[32];

bool IsBinaryText(const std::uint8_t* data, std::uint32_t length);
// True for well-formed UTF-8 that holds at least one complete multi-byte character, and
// for data that starts with the byte-order mark. A character cut off by the end of the
// data counts as well-formed only when `dataGoesOn`: the data is a full first block.
bool IsUTF8Text(const std::uint8_t* data, std::uint32_t length, bool dataGoesOn);
NewlineCode DetectNewlineCode(const std::uint8_t* data, std::uint32_t length);
// Returns ShiftJIS, EUC, JIS, Ascii or Unknown.
KanjiCode DetectKanjiCode(const std::uint8_t* data, std::uint32_t length);
// Decides after a pair that reads as two half-width katakana in Shift-JIS or one
// kanji in EUC; leans to EUC. Returns ShiftJIS, EUC or JIS.
KanjiCode DetectAfterAmbiguousPair(const std::uint8_t* data, std::uint32_t length);

}  // namespace mxt::engine
