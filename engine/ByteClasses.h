#pragma once

#include <cstdint>

namespace mxt::engine {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kShiftOut = 0x0E;
constexpr std::uint8_t kShiftIn = 0x0F;
constexpr std::uint8_t kSingleShift2 = 0x8E;  // EUC prefix of a half-width katakana
constexpr std::uint8_t kSingleShift3 = 0x8F;  // EUC prefix of a supplementary kanji
constexpr std::uint8_t kCtrlZ = 0x1A;
constexpr std::uint8_t kCR = 0x0D;
constexpr std::uint8_t kLF = 0x0A;

constexpr bool InRange(unsigned b, unsigned low, unsigned high) {
  return b - low <= high - low;
}

constexpr bool IsShiftJISLead(unsigned b) {
  return InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC);
}
constexpr bool IsShiftJISTrail(unsigned b) {
  return InRange(b, 0x40, 0xFC) && b != 0x7F;
}
// Lead bytes of the user-defined area and the IBM kanji: JIS X 0208 has no row for them.
constexpr bool IsBeyondJISRows(unsigned lead) {
  return lead >= 0xF0;
}
constexpr bool IsHalfWidthKatakana(unsigned b) {
  return InRange(b, 0xA0, 0xDF);
}
constexpr bool IsEUCByte(unsigned b) {
  return InRange(b, 0xA1, 0xFE);
}
// In JIS text, a byte that ends a kanji pair and is never one itself (a space included).
constexpr bool IsJISControl(int c) {
  return c <= 0x20 || c == 0x7F;
}

}  // namespace mxt::engine
