#pragma once

#include <cstdint>

#include "engine/ByteClasses.h"
#include "engine/ByteStream.h"
#include "engine/EscapeSequence.h"
#include "engine/JISModeWriter.h"
#include "engine/KanjiCode.h"
#include "engine/PairArithmetic.h"

namespace mxt::engine {

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

// Writes an escape the reader does not act on as it came; returns the byte after it, to be
// examined afresh.
template <ByteStream S>
int CarryEscape(S& s, const EscapeRead& escape) {
  WriteEscapePrefix(s, escape);
  return escape.next;
}

// Reads JIS input into Shift-JIS, EUC or UTF-8: the shift state, the escapes and control bytes
// are the same for each; `target` decides where a pair in kanji mode ends
// (EndsPair), what a pair, half a pair, a text byte and an escape it does not know become
// (Pair, HalfPair, Text, UnknownEscape), and whether the stream stops at a character the
// output code has no place for (Stopped).
template <ByteStream S, class Target>
StreamResult ReadJIS(S& s, bool sevenBitMode, const Target& target) {
  bool inKanji = false;
  bool inShiftOut = false;
  int c = s.ReadByte();
  while (c >= 0) {
    if (c == kEsc) {
      const EscapeRead escape = ReadEscape(s);
      if (escape.kind == EscapeRead::Unrecognised) {
        c = target.UnknownEscape(s, escape);
        if (target.Stopped()) return StreamResult::Unrepresentable;
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
      if (d < 0 || target.EndsPair(d)) {
        target.HalfPair(s, static_cast<std::uint8_t>(c), d >= 0);
        if (target.Stopped()) return StreamResult::Unrepresentable;
        if (d < 0) break;
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

// Into Shift-JIS or EUC every byte has a place: half a pair, and an escape, are carried as
// they are.
struct JISIntoOldCode {
  static constexpr bool Stopped() { return false; }

  template <ByteStream S>
  static void HalfPair(S& s, std::uint8_t c, bool) {
    s.WriteByte(c);
  }
  template <ByteStream S>
  static int UnknownEscape(S& s, const EscapeRead& escape) {
    return CarryEscape(s, escape);
  }
};

struct JISIntoShiftJIS : JISIntoOldCode {
  static bool EndsPair(int d) { return d <= 0x20; }

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

struct JISIntoEUC : JISIntoOldCode {
  static bool EndsPair(int d) { return IsJISControl(d); }

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

}  // namespace mxt::engine
