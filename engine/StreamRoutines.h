#pragma once

#include <cstdint>
#include <cstring>
#include <optional>

#include "engine/ByteClasses.h"
#include "engine/ByteStream.h"
#include "engine/CellLookup.h"
#include "engine/EscapeSequence.h"
#include "engine/JISInput.h"
#include "engine/JISModeWriter.h"
#include "engine/KanjiCode.h"
#include "engine/Misfits.h"
#include "engine/PairArithmetic.h"

namespace mxt::engine {

// The JIS bytes of a Shift-JIS pair: by arithmetic in the JIS rows, through the tables
// beyond them; a first byte 0 where EUC and JIS have no place for it.
inline BytePair JISCellOfShiftJIS(std::uint8_t b, std::uint8_t c) {
  if (IsBeyondJISRows(b)) [[unlikely]]
    return CellWithinJISRows(b, c);
  return ShiftJISPairToJIS(b, c);
}

template <ByteStream S>
StreamResult CopyStream(S& s) {
  // Whole stretches go at once where the stream allows it; the byte loop only crosses
  // from one block to the next.
  constexpr auto copyAll = [](const std::uint8_t* in, std::uint8_t* out, std::size_t length) {
    std::memcpy(out, in, length);
    return length;
  };
  for (;;) {
    if constexpr (requires { s.ConvertInPlace(copyAll); }) s.ConvertInPlace(copyAll);
    const int b = s.ReadByte();
    if (b < 0) return StreamResult::Complete;
    s.WriteByte(static_cast<std::uint8_t>(b));
  }
}

// The character of a Shift-JIS pair beyond the JIS rows, for a message or a reference.
inline std::int32_t CharacterBeyondJISRows(std::uint8_t b, std::uint8_t c) {
  const BytePair j = ShiftJISPairToJIS(b, c);
  const std::uint16_t cp = Plane1Character(tables::kPlane1Windows, j.first, j.second);
  return cp != 0 ? cp : kNoCharacter;
}

// Between the kanji codes, what has no place stops the routine unless `misfits` says to
// replace it.
template <ByteStream S>
StreamResult ShiftJISToEUC(S& s, Misfits* misfits = nullptr) {
  for (int b; (b = s.ReadByte()) >= 0;) {
    if (b < 0x80) {
      s.WriteByte(static_cast<std::uint8_t>(b));
    } else if (IsShiftJISLead(b)) {
      const int c = s.ReadByte();
      if (c < 0) {
        s.WriteByte(static_cast<std::uint8_t>(b));
        break;
      }
      if (IsShiftJISTrail(c)) {
        const auto lead = static_cast<std::uint8_t>(b);
        const auto trail = static_cast<std::uint8_t>(c);
        const BytePair j = JISCellOfShiftJIS(lead, trail);
        if (j.first == 0) {
          const auto geta = [&] { WritePair(s, 0xA2, 0xAE); };
          if (!ReplaceMisfit(s, misfits, CharacterBeyondJISRows(lead, trail), 2, geta, [] {}))
            return StreamResult::Unrepresentable;
          continue;
        }
        WritePair(s, j.first | 0x80, j.second | 0x80);
        ConvertRunsInPlace(s, PairRun::ShiftJISToEUC);
      } else {
        WritePair(s, static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c));
      }
    } else if (IsHalfWidthKatakana(b)) {
      WritePair(s, kSingleShift2, static_cast<std::uint8_t>(b));
    } else {
      s.WriteByte(static_cast<std::uint8_t>(b));
    }
  }
  return StreamResult::Complete;
}

// Reads the two bytes after an EUC 0x8F, which Shift-JIS and JIS have no place for. Only a
// prefix cut off by the end of the input has a form there: what is there of it is written
// as it stands, and the input has ended. A whole one stops the file (Unrepresentable) or is
// replaced, and the routine goes on (nothing).
template <ByteStream S, class Geta, class BeforeText>
std::optional<StreamResult> SupplementaryKanji(S& s, Misfits* misfits, const Geta& geta,
                                               const BeforeText& beforeText) {
  const int c = s.ReadByte();
  if (c < 0) return StreamResult::Complete;
  const int d = s.ReadByte();
  if (d < 0) {
    s.WriteByte(static_cast<std::uint8_t>(c));
    return StreamResult::Complete;
  }
  const bool cell = IsEUCByte(c) && IsEUCByte(d);
  const std::uint16_t cp =
      cell ? tables::kPlane2[((c & 0x7F) - 0x21) * tables::kCells + ((d & 0x7F) - 0x21)] : 0;
  if (!ReplaceMisfit(s, misfits, cp != 0 ? cp : kNoCharacter, 3, geta, beforeText))
    return StreamResult::Unrepresentable;
  return std::nullopt;
}

template <ByteStream S>
StreamResult EUCToShiftJIS(S& s, Misfits* misfits = nullptr) {
  for (int b; (b = s.ReadByte()) >= 0;) {
    if (b < 0x80) {
      s.WriteByte(static_cast<std::uint8_t>(b));
    } else if (IsEUCByte(b)) {
      const int c = s.ReadByte();
      if (c < 0) {
        s.WriteByte(static_cast<std::uint8_t>(b));
        break;
      }
      if (IsEUCByte(c)) {
        const BytePair p =
            EUCPairToShiftJIS(static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c));
        WritePair(s, p.first, p.second);
        ConvertRunsInPlace(s, PairRun::EUCToShiftJIS);
      } else {
        WritePair(s, static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c));
      }
    } else if (b == kSingleShift2) {
      const int c = s.ReadByte();
      if (c < 0) break;
      s.WriteByte(static_cast<std::uint8_t>(c));
    } else if (b == kSingleShift3) {
      const auto geta = [&] { WritePair(s, 0x81, 0xAC); };
      if (const auto end = SupplementaryKanji(s, misfits, geta, [] {})) return *end;
    } else {
      s.WriteByte(static_cast<std::uint8_t>(b));
    }
  }
  return StreamResult::Complete;
}

// 〓 in kanji mode.
template <ByteStream S>
void WriteJISGeta(S& s, JISModeWriter<S>& out) {
  out.OpenKanji();
  WritePair(s, 0x22, 0x2E);
}

template <ByteStream S>
StreamResult ShiftJISToJIS(S& s, bool sevenBitMode, EscapeSequence escapes,
                           Misfits* misfits = nullptr) {
  JISModeWriter<S> out(s, escapes);
  for (int b; (b = s.ReadByte()) >= 0;) {
    if (IsShiftJISLead(b)) {
      const int c = s.ReadByte();
      if (c < 0) {
        out.Close();
        s.WriteByte(static_cast<std::uint8_t>(b));
        return StreamResult::Complete;
      }
      const bool pair = IsShiftJISTrail(c);
      const BytePair j =
          pair ? JISCellOfShiftJIS(static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c))
               : BytePair{};
      if (pair && j.first == 0) {
        const std::int32_t cp =
            CharacterBeyondJISRows(static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c));
        if (!ReplaceMisfit(
                s, misfits, cp, 2, [&] { WriteJISGeta(s, out); }, [&] { out.Close(); }))
          return StreamResult::Unrepresentable;
        continue;
      }
      out.OpenKanji();
      if (pair) {
        WritePair(s, j.first, j.second);
      } else {
        WritePair(s, static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c));
      }
    } else if (IsHalfWidthKatakana(b)) {
      out.WriteKatakana(static_cast<std::uint8_t>(b), sevenBitMode);
    } else {  // below 0x80, 0x80, FD-FF
      out.Close();
      s.WriteByte(static_cast<std::uint8_t>(b));
    }
  }
  out.Close();
  return StreamResult::Complete;
}

template <ByteStream S>
StreamResult EUCToJIS(S& s, bool sevenBitMode, EscapeSequence escapes, Misfits* misfits = nullptr) {
  JISModeWriter<S> out(s, escapes);
  for (int b; (b = s.ReadByte()) >= 0;) {
    if (IsEUCByte(b)) {
      const int c = s.ReadByte();
      if (c < 0) {
        out.Close();
        s.WriteByte(static_cast<std::uint8_t>(b));
        return StreamResult::Complete;
      }
      out.OpenKanji();
      const std::uint8_t mask = IsEUCByte(c) ? 0x7F : 0xFF;
      WritePair(s, static_cast<std::uint8_t>(b & mask), static_cast<std::uint8_t>(c & mask));
    } else if (b == kSingleShift2) {
      const int c = s.ReadByte();
      if (c < 0) break;
      out.WriteKatakana(static_cast<std::uint8_t>(c), sevenBitMode);
    } else if (b == kSingleShift3) {
      out.Close();
      const auto geta = [&] { WriteJISGeta(s, out); };
      if (const auto end = SupplementaryKanji(s, misfits, geta, [] {})) return *end;
    } else {  // below 0x80, 80-8D, 90-A0, FF
      out.Close();
      s.WriteByte(static_cast<std::uint8_t>(b));
    }
  }
  out.Close();
  return StreamResult::Complete;
}

template <ByteStream S>
StreamResult ConvertStream(S& s, KanjiCode detected, std::uint8_t outputCode, bool sevenBitMode,
                           EscapeSequence escapes, Misfits* misfits = nullptr) {
  switch (detected) {
    case KanjiCode::ShiftJIS:
      if (outputCode == kOutputEUC) return ShiftJISToEUC(s, misfits);
      if (outputCode == kOutputJIS) return ShiftJISToJIS(s, sevenBitMode, escapes, misfits);
      break;
    case KanjiCode::EUC:
      if (outputCode == kOutputShiftJIS) return EUCToShiftJIS(s, misfits);
      if (outputCode == kOutputJIS) return EUCToJIS(s, sevenBitMode, escapes, misfits);
      break;
    case KanjiCode::JIS:
      if (outputCode == kOutputShiftJIS) return JISToShiftJIS(s, sevenBitMode);
      if (outputCode == kOutputEUC) return JISToEUC(s, sevenBitMode);
      if (outputCode == kOutputJIS) return JISToJIS(s, sevenBitMode, escapes);
      break;
    default:
      break;
  }
  return CopyStream(s);
}

}  // namespace mxt::engine
