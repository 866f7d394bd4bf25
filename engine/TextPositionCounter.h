#pragma once

#include <cstdint>
#include <span>

#include "engine/KanjiCode.h"

namespace mxt::engine {

// Where a character stands in a text, both counted from 1; the column counts characters.
struct TextPosition {
  std::int64_t line = 1;
  std::int64_t column = 1;

  bool operator==(const TextPosition&) const = default;
};

// Follows a text in `code`, given in pieces as it is read, to tell where its characters
// stand. A CR, an LF and a CR LF each end a line. A UTF-8 byte-order mark at the start
// (whole in the first piece), JIS's escape sequences and its shift bytes take no column.
class TextPositionCounter {
 public:
  explicit TextPositionCounter(KanjiCode code) : code_(code) {}

  void Count(std::span<const std::uint8_t> bytes);
  // Where a character beginning right after the bytes counted stands.
  TextPosition Next() const { return next_; }
  // Where the character the counted bytes end inside of stands.
  TextPosition Last() const { return last_; }

 private:
  void CountByte(std::uint8_t b);
  void CountJISByte(std::uint8_t b);
  // A CR or an LF; the LF of a CR LF ends no other line.
  void CountNewline(std::uint8_t b);
  // A character taking a column begins.
  void CountCharacter();

  const KanjiCode code_;
  TextPosition next_;
  TextPosition last_;
  bool started_ = false;
  bool afterCR_ = false;
  int trailing_ = 0;  // bytes still to come of the character counted last
  // JIS: in kanji mode, and how far an escape sequence has come (0 none, ESC after the
  // ESC, '$' or '(' after its second byte).
  bool inKanji_ = false;
  std::uint8_t escape_ = 0;
};

}  // namespace mxt::engine
