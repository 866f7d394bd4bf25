#pragma once

#include <concepts>
#include <cstdint>
#include <cstring>
#include <optional>

#include "engine/AsciiRuns.h"
#include "engine/ByteClasses.h"
#include "engine/CellLookup.h"
#include "engine/EscapeSequence.h"
#include "engine/KanjiCode.h"
#include "engine/Misfits.h"
#include "engine/PairArithmetic.h"
#include "engine/PairRuns.h"

namespace mxt::engine {

// A byte source and sink. The routines are templates over it so that the per-byte
// calls inline and the cursors stay in registers.
template <class S>
concept ByteStream = requires(S& s, std::uint8_t b) {
  { s.ReadByte() } -> std::same_as<int>;  // 0-255, or -1 at the end of the input
  s.WriteByte(b);
};

// Two bytes of one character: a stream may take both with one check for room.
template <ByteStream S>
void WritePair(S& s, std::uint8_t first, std::uint8_t second) {
  if constexpr (requires { s.WritePair(first, second); }) {
    s.WritePair(first, second);
  } else {
    s.WriteByte(first);
    s.WriteByte(second);
  }
}

// The JIS bytes of a Shift-JIS pair: by arithmetic in the JIS rows, through the tables
// beyond them; a first byte 0 where EUC and JIS have no place for it.
inline BytePair JISCellOfShiftJIS(std::uint8_t b, std::uint8_t c) {
  if (IsBeyondJISRows(b)) [[unlikely]]
    return CellWithinJISRows(b, c);
  return ShiftJISPairToJIS(b, c);
}

struct PairRunConverter {
  PairRun run;
  std::size_t operator()(const std::uint8_t* in, std::uint8_t* out, std::size_t length) const {
    return engine::ConvertPairRuns(in, out, length, run);
  }
};

// After a pair, converts as much of the text that follows as goes a chunk at a time,
// where the stream lets it be converted in place.
template <ByteStream S>
void ConvertRunsInPlace(S& s, PairRun run) {
  if constexpr (requires(const PairRunConverter& convert) { s.ConvertInPlace(convert); }) {
    s.ConvertInPlace(PairRunConverter{run});
  }
}

template <ByteStream S>
void CopyJISTextRunsInPlace(S& s) {
  if constexpr (requires { s.ConvertInPlace(CopyJISTextRun); }) s.ConvertInPlace(CopyJISTextRun);
}

template <ByteStream S>
void WriteDesignator(S& s, Designator designator) {
  s.WriteByte(kEsc);
  s.WriteByte(designator.first);
  if (designator.second != 0) s.WriteByte(designator.second);
}

// The output side of the JIS writers: at most one of kanji mode and shift-out is
// open, and a new file starts with neither.
template <ByteStream S>
class JISModeWriter {
 public:
  JISModeWriter(S& s, EscapeSequence escapes) : s_(s), escapes_(escapes) {}

  bool KanjiOpen() const { return kanjiOpen_; }
  bool ShiftOutOpen() const { return shiftOutOpen_; }

  // Writes the close of whichever mode is open.
  void Close() {
    if (shiftOutOpen_) {
      s_.WriteByte(kShiftIn);
    } else if (kanjiOpen_) {
      WriteDesignator(s_, escapes_.kanjiOut);
    }
    kanjiOpen_ = shiftOutOpen_ = false;
  }
  void OpenKanji() {
    if (kanjiOpen_) return;
    CloseShiftOut();
    WriteDesignator(s_, escapes_.kanjiIn);
    kanjiOpen_ = true;
  }
  void CloseKanji() {
    if (!kanjiOpen_) return;
    WriteDesignator(s_, escapes_.kanjiOut);
    kanjiOpen_ = false;
  }
  void OpenShiftOut() {
    if (shiftOutOpen_) return;
    s_.WriteByte(kShiftOut);
    shiftOutOpen_ = true;
  }
  void CloseShiftOut() {
    if (!shiftOutOpen_) return;
    s_.WriteByte(kShiftIn);
    shiftOutOpen_ = false;
  }
  // A half-width katakana in the 8-bit form, outside kanji mode.
  void WriteKatakana(std::uint8_t b, bool sevenBitMode) {
    CloseKanji();
    if (sevenBitMode) {
      OpenShiftOut();
      s_.WriteByte(b & 0x7F);
    } else {
      s_.WriteByte(b);
    }
  }

 private:
  S& s_;
  const EscapeSequence escapes_;
  bool kanjiOpen_ = false;
  bool shiftOutOpen_ = false;
};

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

// What followed an ESC in JIS input.
struct EscapeRead {
  enum Kind : std::uint8_t { KanjiOn, KanjiOff, Unrecognised } kind;
  std::uint8_t prefix;  // for Unrecognised: '$' or '(' written after the ESC, or 0
  int next;             // for Unrecognised: the byte to examine afresh, or -1 at the end
};

// Reads what follows an ESC; recognised designations are consumed whole.
template <ByteStream S>
EscapeRead ReadEscape(S& s) {
  const int e = s.ReadByte();
  if (e == 'K') return {EscapeRead::KanjiOn, 0, 0};
  if (e == 'H') return {EscapeRead::KanjiOff, 0, 0};
  if (e != '$' && e != '(') return {EscapeRead::Unrecognised, 0, e};
  const int d = s.ReadByte();
  if (e == '$' && (d == 'B' || d == '@')) return {EscapeRead::KanjiOn, 0, 0};
  if (e == '(' && (d == 'J' || d == 'B' || d == 'H')) return {EscapeRead::KanjiOff, 0, 0};
  return {EscapeRead::Unrecognised, static_cast<std::uint8_t>(e), d};
}

template <ByteStream S>
void WriteEscapePrefix(S& s, const EscapeRead& escape) {
  s.WriteByte(kEsc);
  if (escape.prefix != 0) s.WriteByte(escape.prefix);
}

inline bool IsJISControl(int c) {
  return c <= 0x20 || c == 0x7F;
}

// Reads JIS input into an 8-bit code: the shift state, the escapes and control bytes
// are the same for each; `target` decides where a pair in kanji mode ends
// (EndsPair), what a pair and a text byte become (Pair, Text), and whether the stream
// stops at a character the output code has no place for (Stopped).
template <ByteStream S, class Target>
StreamResult ReadJIS(S& s, bool sevenBitMode, const Target& target) {
  bool inKanji = false;
  bool inShiftOut = false;
  int c = s.ReadByte();
  while (c >= 0) {
    if (c == kEsc) {
      const EscapeRead escape = ReadEscape(s);
      if (escape.kind == EscapeRead::Unrecognised) {
        WriteEscapePrefix(s, escape);
        c = escape.next;
        continue;
      }
      inKanji = escape.kind == EscapeRead::KanjiOn;
    } else if (IsJISControl(c)) {
      if (sevenBitMode && c == kShiftOut) {
        inShiftOut = true;
      } else if (sevenBitMode && c == kShiftIn) {
        inShiftOut = false;
      } else {
        s.WriteByte(static_cast<std::uint8_t>(c));
      }
    } else if (inKanji) {
      const int d = s.ReadByte();
      if (d < 0) {
        s.WriteByte(static_cast<std::uint8_t>(c));
        break;
      }
      if (target.EndsPair(d)) {
        s.WriteByte(static_cast<std::uint8_t>(c));
        c = d;
        continue;
      }
      target.Pair(s, static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d));
    } else {
      target.Text(s, inShiftOut ? c | 0x80 : c);
    }
    if (target.Stopped()) return StreamResult::Unrepresentable;
    // Every target writes the text outside kanji mode and shift-out as it is.
    if (!inKanji && !inShiftOut) CopyJISTextRunsInPlace(s);
    c = s.ReadByte();
  }
  return StreamResult::Complete;
}

struct JISIntoShiftJIS {
  static bool EndsPair(int d) { return d <= 0x20; }
  static constexpr bool Stopped() { return false; }

  template <ByteStream S>
  static void Pair(S& s, std::uint8_t c, std::uint8_t d) {
    if (c < 0x80 && d <= 0x7F) {
      const BytePair p = JISPairToShiftJIS(c, d);
      WritePair(s, p.first, p.second);
      ConvertRunsInPlace(s, PairRun::JISToShiftJIS);
    } else {
      WritePair(s, c, d);
    }
  }

  template <ByteStream S>
  static void Text(S& s, int b) {
    s.WriteByte(static_cast<std::uint8_t>(b));
  }
};

struct JISIntoEUC {
  static bool EndsPair(int d) { return IsJISControl(d); }
  static constexpr bool Stopped() { return false; }

  template <ByteStream S>
  static void Pair(S& s, std::uint8_t c, std::uint8_t d) {
    WritePair(s, static_cast<std::uint8_t>(c | 0x80), static_cast<std::uint8_t>(d | 0x80));
  }

  template <ByteStream S>
  static void Text(S& s, int b) {
    if (IsHalfWidthKatakana(b)) s.WriteByte(kSingleShift2);
    s.WriteByte(static_cast<std::uint8_t>(b));
  }
};

template <ByteStream S>
StreamResult JISToShiftJIS(S& s, bool sevenBitMode) {
  return ReadJIS(s, sevenBitMode, JISIntoShiftJIS{});
}

template <ByteStream S>
StreamResult JISToEUC(S& s, bool sevenBitMode) {
  return ReadJIS(s, sevenBitMode, JISIntoEUC{});
}

template <ByteStream S>
StreamResult JISToJIS(S& s, bool sevenBitMode, EscapeSequence escapes) {
  JISModeWriter<S> out(s, escapes);
  bool inKanji = false;
  bool inShiftOut = false;
  int c = s.ReadByte();
  while (c >= 0) {
    if (c == kEsc) {
      const EscapeRead escape = ReadEscape(s);
      if (escape.kind == EscapeRead::Unrecognised) {
        if (escape.next < 0) {
          out.Close();
        } else {
          out.CloseKanji();
        }
        WriteEscapePrefix(s, escape);
        c = escape.next;
        continue;
      }
      inKanji = escape.kind == EscapeRead::KanjiOn;
    } else if (IsJISControl(c)) {
      if (c == kShiftOut) {
        inShiftOut = true;
      } else if (c == kShiftIn) {
        inShiftOut = false;
      } else {
        out.Close();
        s.WriteByte(static_cast<std::uint8_t>(c));
      }
    } else if (inKanji) {
      const int d = s.ReadByte();
      if (d < 0) {
        out.Close();
        s.WriteByte(static_cast<std::uint8_t>(c));
        return StreamResult::Complete;
      }
      if (IsJISControl(d)) {
        out.CloseKanji();
        s.WriteByte(static_cast<std::uint8_t>(c));
        c = d;
        continue;
      }
      out.OpenKanji();
      WritePair(s, static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d));
    } else {
      const int b = inShiftOut ? c | 0x80 : c;
      if (IsHalfWidthKatakana(b) && sevenBitMode) {
        out.WriteKatakana(static_cast<std::uint8_t>(b), true);
      } else {
        out.CloseKanji();
        out.CloseShiftOut();
        s.WriteByte(static_cast<std::uint8_t>(b));
      }
    }
    c = s.ReadByte();
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
