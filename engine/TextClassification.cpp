#include "engine/TextClassification.h"

#include <algorithm>

#include "engine/ByteClasses.h"

namespace mxt::engine {

// clang-format off
const bool BinaryControlChars[32] = {
  true,  true,  true,  true,  true,  true,  true,  false,  // 00-07: BEL is text
  false, false, false, true,  false, false, false, false,  // 08-0F: BS TAB LF FF CR SO SI
  true,  true,  true,  true,  true,  true,  true,  true,   // 10-17
  true,  true,  false, false, true,  true,  true,  true,   // 18-1F: Ctrl-Z and ESC are text
};
// clang-format on

bool IsBinaryText(const std::uint8_t* data, std::uint32_t length) {
  const std::uint32_t examined = std::min(length, kClassificationWindow);
  std::uint32_t count = 0;
  for (std::uint32_t i = 0; i < examined; ++i) {
    if (data[i] < 0x20 && BinaryControlChars[data[i]]) ++count;
  }
  return count * 32 > examined;
}

NewlineCode DetectNewlineCode(const std::uint8_t* data, std::uint32_t length) {
  for (std::uint32_t i = 0; i < length; ++i) {
    if (data[i] == kLF) return NewlineCode::LF;
    if (data[i] == kCR) {
      if (i + 1 == length) return NewlineCode::DontCare;
      return data[i + 1] == kLF ? NewlineCode::CRLF : NewlineCode::CR;
    }
  }
  return NewlineCode::DontCare;
}

namespace {

// With an ESC at data[i]: true for a kanji designation (ESC "$B", ESC "$@", ESC "K").
// Otherwise `i` is left on the byte to examine afresh, or on `length` at the end.
bool KanjiEscapeAt(const std::uint8_t* data, std::uint32_t length, std::uint32_t& i) {
  if (++i == length) return false;
  if (data[i] == 'K') return true;
  if (data[i] != '$') return false;
  if (++i == length) return false;
  return data[i] == 'B' || data[i] == '@';
}

}  // namespace

KanjiCode DetectKanjiCode(const std::uint8_t* data, std::uint32_t length) {
  bool pairMark = false;  // E0-FC A1-FC: valid in Shift-JIS and EUC alike
  bool kanaMark = false;  // 8E A0-DF: a Shift-JIS kanji or an EUC half-width katakana
  std::uint32_t i = 0;
  while (i < length) {
    const std::uint8_t c = data[i];
    if (c == kEsc) {
      if (KanjiEscapeAt(data, length, i)) return KanjiCode::JIS;
      continue;
    }
    if (c <= 0x80 || c == 0xA0 || c == 0xFF) {
      ++i;
      continue;
    }
    if (++i == length) break;
    const std::uint8_t d = data[i];
    if (c == kSingleShift2) {
      if (IsHalfWidthKatakana(d)) {
        kanaMark = true;
        ++i;
      } else if (IsShiftJISTrail(d)) {
        return KanjiCode::ShiftJIS;
      }
    } else if (c <= 0x9F) {
      if (IsShiftJISTrail(d)) return KanjiCode::ShiftJIS;
    } else if (c <= 0xDF || c >= 0xFD) {
      if (InRange(d, 0xA1, 0xDF)) return DetectAfterAmbiguousPair(data + i + 1, length - i - 1);
      if (InRange(d, 0xE0, 0xFE)) return KanjiCode::EUC;
    } else {  // E0-FC
      if (InRange(d, 0xA1, 0xFC)) {
        pairMark = true;
        ++i;
      } else if (d == 0xFD || d == 0xFE) {
        return KanjiCode::EUC;
      } else if (IsShiftJISTrail(d)) {
        return KanjiCode::ShiftJIS;
      }
    }
    // Anything not decided above is examined afresh from d.
  }
  if (pairMark) return KanjiCode::Unknown;
  return kanaMark ? KanjiCode::ShiftJIS : KanjiCode::Ascii;
}

KanjiCode DetectAfterAmbiguousPair(const std::uint8_t* data, std::uint32_t length) {
  length = std::min(length, kClassificationWindow);
  std::uint32_t i = 0;
  while (i < length) {
    const std::uint8_t c = data[i];
    if (c == kEsc) {
      if (KanjiEscapeAt(data, length, i)) return KanjiCode::JIS;
      continue;
    }
    if (c >= 0xE0) return KanjiCode::EUC;
    if (c == kSingleShift2) {
      i += 2;
      continue;
    }
    if (c <= 0x80 || c == 0xA0) {
      ++i;
      continue;
    }
    if (++i == length) break;
    const std::uint8_t d = data[i];
    if (c <= 0x9F) {
      if (IsShiftJISTrail(d)) return KanjiCode::ShiftJIS;
    } else if (InRange(d, 0xE0, 0xFE)) {  // c is A1-DF
      return KanjiCode::EUC;
    }
  }
  return KanjiCode::EUC;
}

}  // namespace mxt::engine
