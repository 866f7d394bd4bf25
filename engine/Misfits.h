#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

#include "engine/KanjiCode.h"
#include "engine/TextPositionCounter.h"

namespace mxt::engine {

// Stands for bytes that are no character of the input code.
constexpr std::int32_t kNoCharacter = -1;

// What a conversion met that the output code has no place for.
struct UnconvertibleReport {
  // How many were met: replaced, or the one the file stopped at.
  std::int64_t count = 0;
  std::int32_t firstCodePoint = kNoCharacter;
  // Where the first begins in the input.
  std::int64_t firstOffset = 0;
  // Its line and column, where the conversion was asked to count them.
  std::optional<TextPosition> firstPosition;
};

template <class S>
std::int64_t InputOffsetOf(S& s) {
  if constexpr (requires { s.InputOffset(); }) {
    return s.InputOffset();
  } else {
    return 0;
  }
}

// Counts what has no place in the output code and says whether the stream stops there.
class Misfits {
 public:
  Misfits(Unconvertible way, UnconvertibleReport& report) : way_(way), report_(report) {}

  // One met at `offset` in the input: true when the file is to be left as it is.
  bool Meet(std::int32_t codePoint, std::int64_t offset) {
    if (report_.count++ == 0) {
      report_.firstCodePoint = codePoint;
      report_.firstOffset = offset;
    }
    return way_ == Unconvertible::Skip;
  }
  // Whether a character goes in as a reference rather than as 〓.
  bool AsReference(std::int32_t codePoint) const {
    return way_ == Unconvertible::Reference && codePoint != kNoCharacter;
  }

 private:
  const Unconvertible way_;
  UnconvertibleReport& report_;
};

// "&#x1F600;" as ASCII bytes.
template <class S>
void WriteCharacterReference(S& s, std::int32_t cp) {
  char text[16];
  const int length = std::snprintf(text, sizeof text, "&#x%X;", static_cast<unsigned>(cp));
  for (int i = 0; i < length; ++i)
    s.WriteByte(static_cast<std::uint8_t>(text[i]));
}

// A character with no place just read, `length` bytes long: false when the file stops
// there (always without `misfits`); else `geta` writes 〓 in its place, or its character
// reference goes there after `beforeText` (which leaves a kanji mode).
template <class S, class Geta, class BeforeText>
bool ReplaceMisfit(S& s, Misfits* misfits, std::int32_t cp, int length, const Geta& geta,
                   const BeforeText& beforeText) {
  if (!misfits || misfits->Meet(cp, InputOffsetOf(s) - length)) return false;
  if (misfits->AsReference(cp)) {
    beforeText();
    WriteCharacterReference(s, cp);
  } else {
    geta();
  }
  return true;
}

}  // namespace mxt::engine
