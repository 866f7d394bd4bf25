#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine/AsciiRuns.h"
#include "engine/ByteClasses.h"
#include "engine/ByteStream.h"
#include "engine/CellLookup.h"
#include "engine/CharacterTables.h"
#include "engine/EscapeSequence.h"
#include "engine/KanjiCode.h"
#include "engine/Misfits.h"
#include "engine/PairArithmetic.h"
#include "engine/StreamRoutines.h"
#include "engine/UnicodeLookups.h"

namespace mxt::engine {

struct UnicodeOptions {
  CharacterMapping mapping = CharacterMapping::Windows;
  Unconvertible unconvertible = Unconvertible::Skip;
};

constexpr std::uint32_t kGeta = 0x3013;                    // 〓
constexpr std::uint16_t kGetaCell = (2 << 8) | 14;         // its JIS cell, 0x222E
constexpr std::uint32_t kHalfWidthKatakanaFirst = 0xFF61;  // Shift-JIS A1
constexpr std::uint32_t kHalfWidthKatakanaLast = 0xFF9F;   // Shift-JIS DF

template <ByteStream S>
void WriteUTF8(S& s, std::uint32_t cp) {
  if (cp < 0x80) {
    s.WriteByte(static_cast<std::uint8_t>(cp));
  } else if (cp < 0x800) {
    WritePair(s, static_cast<std::uint8_t>(0xC0 | (cp >> 6)),
              static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
  } else {
    if (cp < 0x10000) {
      s.WriteByte(static_cast<std::uint8_t>(0xE0 | (cp >> 12)));
    } else {
      WritePair(s, static_cast<std::uint8_t>(0xF0 | (cp >> 18)),
                static_cast<std::uint8_t>(0x80 | ((cp >> 12) & 0x3F)));
    }
    WritePair(s, static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F)),
              static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
  }
}

// Copies the ASCII at `in` inside a span loop, where `sure` more characters are sure to fit,
// each with room for at least two bytes in and two out: a chunk where it fits, counted as the
// characters whose room it may take, else one byte. Returns the characters it counts as.
inline std::ptrdiff_t CopyAsciiInSpan(const std::uint8_t*& in, std::uint8_t*& out,
                                      std::ptrdiff_t sure) {
  constexpr auto kChunkCharacters = static_cast<std::ptrdiff_t>(kAsciiChunk / 2);
  if (sure < kChunkCharacters) {
    *out++ = *in++;
    return 1;
  }
  const std::size_t run = CopyAsciiChunk(in, out);
  in += run;
  out += run;
  return kChunkCharacters;
}

// Where a span conversion left the input and the output.
struct SpanCursors {
  const std::uint8_t* in;
  std::uint8_t* out;
};

// Whole characters straight from the buffers through a lookup, as far as the lookup knows
// them and both buffers hold a whole character; the byte-wise routine does the rest.
template <ByteStream S, class Convert>
void ConvertSpanInPlace(S& s, const Convert& convert) {
  if constexpr (requires { s.ConvertSpan(convert); }) s.ConvertSpan(convert);
}

// The three UTF-8 bytes of a UnicodeLookups::Decoder entry, stored as one word: the fourth
// byte lands where the next character goes, so there must be room for it.
inline std::uint8_t* PutDecodedBytes(std::uint8_t* out, std::uint32_t bytes) {
  std::memcpy(out, &bytes, sizeof bytes);
  return out + 3;
}

// ASCII and the pairs of Shift-JIS or EUC whose characters take three UTF-8 bytes (nearly
// all), through UnicodeLookups::Decoder.
struct SpanDecoder {
  const std::uint32_t* pairs;
  SpanCursors operator()(const std::uint8_t* in, const std::uint8_t* inEnd, std::uint8_t* out,
                         std::uint8_t* outEnd) const {
    // Each character takes at most two bytes and gives at most three (stored as four): as
    // many as are sure to fit are done without looking at the ends.
    for (;;) {
      const std::ptrdiff_t sure = std::min((inEnd - in - 1) / 2, (outEnd - out - 1) / 3);
      if (sure <= 0) break;
      for (std::ptrdiff_t i = 0; i < sure; ++i) {
        const std::uint16_t pair = PairAt(in);
        if ((pair & 0x80) == 0) {
          i += CopyAsciiInSpan(in, out, sure - i) - 1;
          continue;
        }
        const std::uint32_t bytes = pairs[pair];
        if (bytes == 0) return {in, out};
        out = PutDecodedBytes(out, bytes);
        in += 2;
      }
    }
    return {in, out};
  }
};

// A run of JIS kanji pairs (bytes 21-7E) in kanji mode, through the EUC decoder: it stops
// at an escape, a control byte or a character of fewer UTF-8 bytes.
struct JISKanjiSpans {
  const std::uint32_t* eucPairs;
  SpanCursors operator()(const std::uint8_t* in, const std::uint8_t* inEnd, std::uint8_t* out,
                         std::uint8_t* outEnd) const {
    // Each pair takes two bytes and gives three (stored as four): the ends are looked at once.
    const std::ptrdiff_t sure = std::min((inEnd - in) / 2, (outEnd - out - 1) / 3);
    for (std::ptrdiff_t i = 0; i < sure; ++i) {
      const std::uint16_t pair = PairAt(in);
      // Set high, the bytes below 21 and 7F fall on no EUC pair.
      if (pair & kEUCImageBits) break;
      const std::uint32_t bytes = eucPairs[pair | kEUCImageBits];
      if (bytes == 0) break;
      out = PutDecodedBytes(out, bytes);
      in += 2;
    }
    return {in, out};
  }
};

// ASCII and three-byte UTF-8 into Shift-JIS or EUC through UnicodeLookups::Encoder.
struct SpanEncoder {
  const std::uint16_t* table;
  SpanCursors operator()(const std::uint8_t* in, const std::uint8_t* inEnd, std::uint8_t* out,
                         std::uint8_t* outEnd) const {
    // Each character takes at most three bytes and gives at most two: as many as are sure to
    // fit are done without looking at the ends.
    for (;;) {
      const std::ptrdiff_t sure = std::min((inEnd - in) / 3, (outEnd - out) / 2);
      if (sure <= 0) break;
      for (std::ptrdiff_t i = 0; i < sure; ++i) {
        if (in[0] < 0x80) {
          i += CopyAsciiInSpan(in, out, sure - i) - 1;
          continue;
        }
        // E0-EF, then two of 80-BF, tested and taken apart as one word.
        const std::uint32_t bytes = in[0] | in[1] << 8 | in[2] << 16;
        if ((bytes & 0xC0C0F0) != 0x8080E0) return {in, out};
        const std::uint16_t pair =
            table[(bytes & 0x0F) << 12 | (bytes & 0x3F00) >> 2 | (bytes & 0x3F0000) >> 16];
        if (pair == 0) return {in, out};
        std::memcpy(out, &pair, sizeof pair);
        out += 2;
        in += 3;
      }
    }
    return {in, out};
  }
};

// ---- Kanji codes into UTF-8 ----

// Bytes `length` long just read that are no character: false when the stream stops.
template <ByteStream S>
bool ReplaceUndecodable(S& s, Misfits& misfits, int length) {
  if (misfits.Meet(kNoCharacter, InputOffsetOf(s) - length)) return false;
  WriteUTF8(s, kGeta);
  return true;
}

inline std::uint32_t HalfWidthKatakana(int b) {
  return kHalfWidthKatakanaFirst + static_cast<std::uint32_t>(b - 0xA1);
}

inline bool IsKatakanaByte(int b) {
  return InRange(static_cast<unsigned>(b), 0xA1, 0xDF);
}

template <ByteStream S>
StreamResult ShiftJISToUTF8(S& s, const std::uint16_t* plane1, const std::uint32_t* pairs,
                            Misfits& misfits) {
  const SpanDecoder spans{pairs};
  ConvertSpanInPlace(s, spans);
  int b = s.ReadByte();
  while (b >= 0) {
    int next = -2;  // a byte read ahead that begins the next character, or -2 for none
    if (b < 0x80) {
      s.WriteByte(static_cast<std::uint8_t>(b));
      CopyAsciiRunsInPlace(s);
    } else if (IsKatakanaByte(b)) {
      WriteUTF8(s, HalfWidthKatakana(b));
    } else if (IsShiftJISLead(static_cast<unsigned>(b))) {
      const int c = s.ReadByte();
      if (IsShiftJISTrail(static_cast<unsigned>(c))) {
        const BytePair j =
            ShiftJISPairToJIS(static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c));
        const std::uint16_t cp = Plane1Character(plane1, j.first, j.second);
        if (cp != 0) {
          WriteUTF8(s, cp);
        } else if (!ReplaceUndecodable(s, misfits, 2)) {
          return StreamResult::Unrepresentable;
        }
      } else {
        // A lead byte without its trail: what follows is read afresh.
        if (!ReplaceUndecodable(s, misfits, c >= 0 ? 2 : 1)) return StreamResult::Unrepresentable;
        next = c;
      }
    } else if (!ReplaceUndecodable(s, misfits, 1)) {  // 80, A0, FD-FF
      return StreamResult::Unrepresentable;
    }
    if (next == -2) ConvertSpanInPlace(s, spans);
    b = next == -2 ? s.ReadByte() : next;
  }
  return StreamResult::Complete;
}

template <ByteStream S>
StreamResult EUCToUTF8(S& s, const std::uint16_t* plane1, const std::uint32_t* pairs,
                       Misfits& misfits) {
  const SpanDecoder spans{pairs};
  ConvertSpanInPlace(s, spans);
  int b = s.ReadByte();
  while (b >= 0) {
    int next = -2;
    if (b < 0x80) {
      s.WriteByte(static_cast<std::uint8_t>(b));
      CopyAsciiRunsInPlace(s);
    } else if (IsEUCByte(static_cast<unsigned>(b))) {
      const int c = s.ReadByte();
      const std::uint16_t cp = IsEUCByte(static_cast<unsigned>(c))
                                   ? Plane1Character(plane1, b & 0x7F, c & 0x7F)
                                   : std::uint16_t{0};
      if (cp != 0) {
        WriteUTF8(s, cp);
      } else {
        if (!ReplaceUndecodable(s, misfits, c >= 0 ? 2 : 1)) return StreamResult::Unrepresentable;
        if (!IsEUCByte(static_cast<unsigned>(c))) next = c;
      }
    } else if (b == kSingleShift2) {
      const int c = s.ReadByte();
      if (IsKatakanaByte(c)) {
        WriteUTF8(s, HalfWidthKatakana(c));
      } else {
        if (!ReplaceUndecodable(s, misfits, c >= 0 ? 2 : 1)) return StreamResult::Unrepresentable;
        next = c;
      }
    } else if (b == kSingleShift3) {
      const int c = s.ReadByte();
      const int d = IsEUCByte(static_cast<unsigned>(c)) ? s.ReadByte() : -1;
      const std::uint16_t cp =
          IsEUCByte(static_cast<unsigned>(d))
              ? tables::kPlane2[((c & 0x7F) - 0x21) * tables::kCells + ((d & 0x7F) - 0x21)]
              : std::uint16_t{0};
      if (cp != 0) {
        WriteUTF8(s, cp);
      } else {
        const int read = 1 + (c >= 0) + (d >= 0);
        if (!ReplaceUndecodable(s, misfits, read)) return StreamResult::Unrepresentable;
        if (!IsEUCByte(static_cast<unsigned>(c))) {
          next = c;
        } else if (!IsEUCByte(static_cast<unsigned>(d))) {
          next = d;
        }
      }
    } else if (!ReplaceUndecodable(s, misfits, 1)) {
      return StreamResult::Unrepresentable;
    }
    if (next == -2) ConvertSpanInPlace(s, spans);
    b = next == -2 ? s.ReadByte() : next;
  }
  return StreamResult::Complete;
}

// JIS input through ReadJIS, its pairs and shifted katakana written as UTF-8.
template <ByteStream S>
struct JISIntoUTF8 {
  const std::uint16_t* plane1;
  JISKanjiSpans spans;
  Misfits& misfits;
  mutable bool stopped = false;

  static bool EndsPair(int d) { return IsJISControl(d); }
  bool Stopped() const { return stopped; }

  void Pair(S& s, std::uint8_t c, std::uint8_t d) const {
    const std::uint16_t cp = c < 0x7F && d < 0x7F ? Plane1Character(plane1, c, d) : 0;
    if (cp != 0) {
      WriteUTF8(s, cp);
      ConvertSpanInPlace(s, spans);
    } else {
      stopped = !ReplaceUndecodable(s, misfits, 2);
    }
  }
  // `followed`: the byte after it was read, and is examined afresh.
  void HalfPair(S& s, std::uint8_t, bool followed) const {
    stopped = !ReplaceUndecodable(s, misfits, followed ? 2 : 1);
  }
  // Another set designated for the text that follows (ESC ( I, ESC $ ( D, ESC ( 0): none of
  // it can be read, nor told apart into characters to replace, so the file stops at the
  // sequence however unconvertible characters are handled. An escape that designates no set
  // (a terminal's ESC [) is text, as a control byte is.
  int UnknownEscape(S& s, const EscapeRead& escape) const {
    if (escape.prefix == 0) return CarryEscape(s, escape);
    const int read = 2 + (escape.next >= 0);  // ESC, its prefix, and what followed
    misfits.Meet(kNoCharacter, InputOffsetOf(s) - read);
    stopped = true;
    return -1;
  }
  void Text(S& s, int b) const {
    if (b < 0x80) {
      s.WriteByte(static_cast<std::uint8_t>(b));
    } else if (IsKatakanaByte(b)) {
      WriteUTF8(s, HalfWidthKatakana(b));
    } else {
      stopped = !ReplaceUndecodable(s, misfits, 1);
    }
  }
};

// ---- UTF-8 into the kanji codes ----

// One character decoded from UTF-8: its code point, or kNoCharacter for bytes that are
// no character; `next` is a byte read past it that begins the next one, or -2.
struct DecodedCharacter {
  std::int32_t codePoint;
  int next;
  int length;  // bytes it took
};

// Decodes the character whose first byte `b` (80-FF) was just read.
template <ByteStream S>
DecodedCharacter ReadUTF8Character(S& s, int b) {
  int following;
  std::uint32_t cp;
  std::uint32_t least;
  if (InRange(static_cast<unsigned>(b), 0xC2, 0xDF)) {
    following = 1, cp = b & 0x1F, least = 0x80;
  } else if (InRange(static_cast<unsigned>(b), 0xE0, 0xEF)) {
    following = 2, cp = b & 0x0F, least = 0x800;
  } else if (InRange(static_cast<unsigned>(b), 0xF0, 0xF4)) {
    following = 3, cp = b & 0x07, least = 0x10000;
  } else {
    return {kNoCharacter, -2, 1};
  }
  for (int i = 1; i <= following; ++i) {
    const int c = s.ReadByte();
    if (!InRange(static_cast<unsigned>(c), 0x80, 0xBF)) return {kNoCharacter, c, i + (c >= 0)};
    cp = (cp << 6) | static_cast<std::uint32_t>(c & 0x3F);
  }
  const bool surrogate = InRange(cp, 0xD800, 0xDFFF);
  if (cp < least || surrogate || cp > 0x10FFFF) return {kNoCharacter, -2, following + 1};
  return {static_cast<std::int32_t>(cp), -2, following + 1};
}

template <ByteStream S>
struct ShiftJISWriter {
  S& s;
  void Ascii(std::uint8_t b) { s.WriteByte(b); }
  void Katakana(std::uint8_t b) { s.WriteByte(b); }
  void Cell(std::uint16_t cell) {
    const BytePair p = JISPairToShiftJIS(static_cast<std::uint8_t>((cell >> 8) + 0x20),
                                         static_cast<std::uint8_t>((cell & 0xFF) + 0x20));
    WritePair(s, p.first, p.second);
  }
  void Close() {}
};

template <ByteStream S>
struct EUCWriter {
  S& s;
  void Ascii(std::uint8_t b) { s.WriteByte(b); }
  void Katakana(std::uint8_t b) { WritePair(s, kSingleShift2, b); }
  void Cell(std::uint16_t cell) {
    if (cell & tables::kSupplementary) s.WriteByte(kSingleShift3);
    WritePair(s, static_cast<std::uint8_t>(((cell >> 8) & 0x7F) + 0xA0),
              static_cast<std::uint8_t>((cell & 0xFF) + 0xA0));
  }
  void Close() {}
};

template <ByteStream S>
struct JISWriter {
  S& s;
  JISModeWriter<S> mode;
  bool sevenBitMode;
  void Ascii(std::uint8_t b) {
    mode.Close();
    s.WriteByte(b);
  }
  void Katakana(std::uint8_t b) { mode.WriteKatakana(b, sevenBitMode); }
  void Cell(std::uint16_t cell) {
    mode.OpenKanji();
    WritePair(s, static_cast<std::uint8_t>((cell >> 8) + 0x20),
              static_cast<std::uint8_t>((cell & 0xFF) + 0x20));
  }
  void Close() { mode.Close(); }
};

// `cells` holds only cells the writer's code has, but for plane 2 in JIS and Shift-JIS:
// those count as no place.
// `spans` goes ahead where it is given (not into JIS, whose writer keeps a mode).
template <ByteStream S, class Writer>
StreamResult UTF8ToKanji(S& s, Writer& out, const std::uint16_t* blockOf,
                         const std::uint16_t* cells, bool hasPlane2, const SpanEncoder* spans,
                         Misfits& misfits) {
  if (spans) ConvertSpanInPlace(s, *spans);
  int b = s.ReadByte();
  while (b >= 0) {
    if (b < 0x80) {
      out.Ascii(static_cast<std::uint8_t>(b));
      CopyAsciiRunsInPlace(s);
      if (spans) ConvertSpanInPlace(s, *spans);
      b = s.ReadByte();
      continue;
    }
    const DecodedCharacter character = ReadUTF8Character(s, b);
    const std::int32_t cp = character.codePoint;
    const std::uint16_t cell = CellOf(blockOf, cells, cp);
    if (InRange(static_cast<std::uint32_t>(cp), kHalfWidthKatakanaFirst, kHalfWidthKatakanaLast)) {
      out.Katakana(static_cast<std::uint8_t>(cp - kHalfWidthKatakanaFirst + 0xA1));
    } else if (cell != 0 && (hasPlane2 || !(cell & tables::kSupplementary))) {
      out.Cell(cell);
    } else if (misfits.Meet(cp, InputOffsetOf(s) - character.length)) {
      return StreamResult::Unrepresentable;
    } else if (misfits.AsReference(cp)) {
      out.Close();  // a reference is text: no kanji mode around it
      WriteCharacterReference(s, cp);
    } else {
      out.Cell(kGetaCell);
    }
    if (character.next == -2 && spans) ConvertSpanInPlace(s, *spans);
    b = character.next == -2 ? s.ReadByte() : character.next;
  }
  out.Close();
  return StreamResult::Complete;
}

// Every conversion to or from UTF-8; UTF-8 into UTF-8 is copied.
template <ByteStream S>
StreamResult ConvertUnicodeStream(S& s, KanjiCode detected, std::uint8_t outputCode,
                                  bool sevenBitMode, EscapeSequence escapes,
                                  const UnicodeOptions& options, UnicodeLookups& lookups,
                                  UnconvertibleReport& report) {
  Misfits misfits(options.unconvertible, report);
  const std::uint16_t* plane1 = lookups.Plane1(options.mapping);
  if (outputCode == kOutputUTF8) {
    switch (detected) {
      case KanjiCode::ShiftJIS:
        return ShiftJISToUTF8(s, plane1, lookups.Decoder(detected, options.mapping), misfits);
      case KanjiCode::EUC:
        return EUCToUTF8(s, plane1, lookups.Decoder(detected, options.mapping), misfits);
      case KanjiCode::JIS:
        return ReadJIS(
            s, sevenBitMode,
            JISIntoUTF8<S>{plane1, {lookups.Decoder(KanjiCode::EUC, options.mapping)}, misfits});
      default:
        return CopyStream(s);
    }
  }
  if (outputCode == kOutputShiftJIS) {
    ShiftJISWriter<S> out{s};
    const SpanEncoder spans{lookups.Encoder(outputCode)};
    return UTF8ToKanji(s, out, tables::kShiftJISBlockOf, tables::kShiftJISCells, false, &spans,
                       misfits);
  }
  if (outputCode == kOutputEUC) {
    EUCWriter<S> out{s};
    const SpanEncoder spans{lookups.Encoder(outputCode)};
    return UTF8ToKanji(s, out, tables::kEUCBlockOf, tables::kEUCCells, true, &spans, misfits);
  }
  JISWriter<S> out{s, JISModeWriter<S>(s, escapes), sevenBitMode};
  return UTF8ToKanji(s, out, tables::kEUCBlockOf, tables::kEUCCells, false, nullptr, misfits);
}

}  // namespace mxt::engine
