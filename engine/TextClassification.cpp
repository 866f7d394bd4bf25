#include "engine/TextClassification.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/Avx2UTF8.h"
#include "engine/ByteClasses.h"
#include "engine/CpuFeatures.h"

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

namespace {

// What a byte opens in UTF-8: the length of the character (0 when it opens none), the
// range of its second byte, and the test of its third and fourth bytes (each 80-BF
// where present) as a mask and a value over the two bytes, the third one low.
struct UTF8Lead {
  std::uint8_t length;
  std::uint8_t low;
  std::uint8_t high;
  std::uint16_t laterMask;
  std::uint16_t laterValue;
};

// The narrowed second-byte ranges keep out overlong forms (E0, F0), surrogates (ED)
// and everything above U+10FFFF (F4); C0, C1 and F5-FF open nothing well-formed.
constexpr UTF8Lead LeadOf(unsigned b) {
  constexpr UTF8Lead kNone{0, 0, 0, 0, 0};
  constexpr std::uint16_t kThird = 0x00C0, kThirdValue = 0x0080;
  constexpr std::uint16_t kBoth = 0xC0C0, kBothValue = 0x8080;
  if (b < 0xC2) return kNone;
  if (b <= 0xDF) return {2, 0x80, 0xBF, 0, 0};
  if (b == 0xE0) return {3, 0xA0, 0xBF, kThird, kThirdValue};
  if (b == 0xED) return {3, 0x80, 0x9F, kThird, kThirdValue};
  if (b <= 0xEF) return {3, 0x80, 0xBF, kThird, kThirdValue};
  if (b == 0xF0) return {4, 0x90, 0xBF, kBoth, kBothValue};
  if (b <= 0xF3) return {4, 0x80, 0xBF, kBoth, kBothValue};
  if (b == 0xF4) return {4, 0x80, 0x8F, kBoth, kBothValue};
  return kNone;
}

// Looked up rather than decided: which range a character's lead falls in is as random
// in Japanese text as the characters, and the branches would be mispredicted.
constexpr auto kUTF8Leads = [] {
  std::array<UTF8Lead, 256> leads{};
  for (unsigned b = 0; b < 256; ++b)
    leads[b] = LeadOf(b);
  return leads;
}();

// Skips the ASCII from `i` on, eight bytes at a time where it can.
std::uint32_t SkipAscii(const std::uint8_t* data, std::uint32_t length, std::uint32_t i) {
  for (std::uint64_t word; length - i >= 8; i += 8) {
    std::memcpy(&word, data + i, 8);
    if (word & 0x8080808080808080u) break;
  }
  while (i < length && data[i] < 0x80)
    ++i;
  return i;
}

// Whether the character at data[i], with its bytes that are there, is well-formed.
bool WellFormedPart(const std::uint8_t* data, std::uint32_t present, const UTF8Lead& lead) {
  if (present > 1 && !InRange(data[1], lead.low, lead.high)) return false;
  for (std::uint32_t k = 2; k < present; ++k) {
    if (!InRange(data[k], 0x80, 0xBF)) return false;
  }
  return true;
}

// The rest of the test from data[i], a character's start, with what came before it.
bool IsUTF8From(const std::uint8_t* data, std::uint32_t length, std::uint32_t i, bool multiByte,
                bool dataGoesOn) {
  // Where four bytes are left, a whole character is tested at once.
  while (length - i >= 4) {
    if (data[i] < 0x80) {
      i = SkipAscii(data, length, i);
      continue;
    }
    const UTF8Lead& lead = kUTF8Leads[data[i]];
    const unsigned later = data[i + 2] | data[i + 3] << 8;
    if (lead.length == 0 || (later & lead.laterMask) != lead.laterValue ||
        !InRange(data[i + 1], lead.low, lead.high)) {
      return false;
    }
    multiByte = true;
    i += lead.length;
  }
  for (i = SkipAscii(data, length, i); i < length; i = SkipAscii(data, length, i)) {
    const UTF8Lead& lead = kUTF8Leads[data[i]];
    const std::uint32_t present = std::min<std::uint32_t>(lead.length, length - i);
    if (lead.length == 0 || !WellFormedPart(data + i, present, lead)) return false;
    if (present < lead.length) return dataGoesOn && multiByte;
    multiByte = true;
    i += lead.length;
  }
  return multiByte;
}

UTF8Chunks CheckUTF8Chunks(const std::uint8_t* data, std::uint32_t length) {
#if defined(__x86_64__)
  if (CpuHasAvx2()) return CheckUTF8ChunksAvx2(data, length);
#endif
  return {true, 0, false};
}

}  // namespace

bool IsUTF8Text(const std::uint8_t* data, std::uint32_t length, bool dataGoesOn) {
  if (length >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) return true;
  const UTF8Chunks chunks = CheckUTF8Chunks(data, length);
  return chunks.wellFormed &&
         IsUTF8From(data, length, chunks.restart, chunks.multiByte, dataGoesOn);
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
