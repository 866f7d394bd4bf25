#pragma once

#include <cstdint>

namespace mxt::engine {

// The numbers are stored with each file entry and compared with the settings.
enum class KanjiCode : std::uint8_t {
  ShiftJIS = 1,
  EUC = 2,
  JIS = 3,
  Ascii = 4,    // neither a decisive pattern nor an ambiguous pair
  Unknown = 5,  // kanji bytes that do not tell Shift-JIS from EUC
  Binary = 6,   // set by the caller, never detected
  UTF8 = 7,     // well-formed UTF-8 with a multi-byte character, or a byte-order mark
};

// The same numbers serve as detection result, setting and writer mode.
enum class NewlineCode : std::uint8_t {
  DontCare = 0,
  CRLF = 1,
  LF = 2,
  CR = 3,
};

// Numbered as the options dialog lists them; any other value behaves as EscBJ.
enum class EscapeSequenceSet : std::uint8_t {
  EscBJ = 0,
  EscBB = 1,
  EscAtJ = 2,
  EscKH = 3,
};

// How a stream routine ended.
enum class StreamResult : std::uint8_t {
  Complete,
  // Stopped at a character the output code has no place for; the output is partial.
  Unrepresentable,
};

// The output code setting counts from 0: its value is the KanjiCode minus one for the
// kanji codes; UTF-8 comes last.
constexpr std::uint8_t kOutputShiftJIS = 0;
constexpr std::uint8_t kOutputEUC = 1;
constexpr std::uint8_t kOutputJIS = 2;
constexpr std::uint8_t kOutputUTF8 = 3;

// The code text in output code `outputCode` is in.
constexpr KanjiCode CodeOfOutput(std::uint8_t outputCode) {
  return outputCode == kOutputUTF8 ? KanjiCode::UTF8 : static_cast<KanjiCode>(outputCode + 1);
}

// How the seven JIS cells whose character Windows and Unix systems disagree on decode
// (〜 U+FF5E or U+301C, and the like); encoding takes both.
enum class CharacterMapping : std::uint8_t {
  Windows = 0,
  JIS = 1,
};

// What becomes of a character the output code has no place for, and of bytes that are no
// character of the input code.
enum class Unconvertible : std::uint8_t {
  Skip = 0,       // the file is left as it is
  Geta = 1,       // 〓 in its place
  Reference = 2,  // "&#x1F600;" in its place; bytes that are no character become 〓
};

}  // namespace mxt::engine
