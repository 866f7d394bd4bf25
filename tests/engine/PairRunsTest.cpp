#include "engine/PairRuns.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/StreamRoutines.h"
#include "engine/UnicodeRoutines.h"
#include "tests/support/Bytes.h"
#include "tests/support/EngineRun.h"
#include "tests/support/MemoryStream.h"

namespace mxt::engine {
namespace {

using testing::ConvertInMemory;
using testing::EngineConversion;
using testing::MemoryStream;
using testing::Notation;

// Text that keeps the chunked conversion busy and trips it up: long runs of
// pairs, single bytes at every edge of the Shift-JIS, EUC and JIS byte classes, pairs
// cut short, escape sequences and newlines.
std::string RandomText(std::mt19937& random, std::size_t size) {
  auto pick = [&](unsigned low, unsigned high) {
    return static_cast<char>(std::uniform_int_distribution<unsigned>(low, high)(random));
  };
  static const unsigned char kEdges[] = {0x00, 0x0A, 0x0D, 0x1B, 0x20, 0x21, 0x3F, 0x40, 0x7E,
                                         0x7F, 0x80, 0x81, 0x8E, 0x8F, 0x9E, 0x9F, 0xA0, 0xA1,
                                         0xDF, 0xE0, 0xEF, 0xF0, 0xFC, 0xFD, 0xFE, 0xFF};
  static const char* const kEscapes[] = {"\x1B$B", "\x1B$@", "\x1B(B", "\x1B(J", "\x1B(H",
                                         "\x1B(I", "\x0E",   "\x0F",   "\x1BK",  "\x1BH"};
  std::string text;
  while (text.size() < size) {
    const int kind = std::uniform_int_distribution<int>(0, 99)(random);
    const int count = std::uniform_int_distribution<int>(1, 40)(random);
    for (int i = 0; i < count; ++i) {
      if (kind < 25) {
        text += {pick(0x81, 0x9F), pick(0x40, 0xFC)};
      } else if (kind < 45) {
        text += {pick(0xA1, 0xFE), pick(0xA1, 0xFE)};
      } else if (kind < 60) {
        text += {pick(0x21, 0x7E), pick(0x21, 0x7E)};
      } else if (kind < 70) {
        text += {pick(0xE0, 0xFC), pick(0x40, 0xFC)};
      } else if (kind < 85) {
        text += pick(0x20, 0x7E);
      } else if (kind < 95) {
        text += static_cast<char>(
            kEdges[std::uniform_int_distribution<std::size_t>(0, std::size(kEdges) - 1)(random)]);
      } else {
        text += kEscapes[std::uniform_int_distribution<std::size_t>(
            0, std::size(kEscapes) - 1)(random)];
        break;
      }
    }
  }
  return text;
}

std::string ByteWise(const std::string& input, KanjiCode from, std::uint8_t to, bool sevenBit,
                     StreamResult* result = nullptr) {
  MemoryStream s(input);
  const StreamResult ended =
      ConvertStream(s, from, to, sevenBit, EscapeSequenceOf(EscapeSequenceSet::EscBJ));
  if (result) *result = ended;
  return s.Output();
}

// The buffered stream converts chunks in place where the byte-wise one cannot; on any
// text, across block ends too, both must write the same bytes and stop at the same
// character the output code cannot hold.
TEST(PairRunsTest, ChunkedConversionWritesWhatTheByteWiseRoutinesWrite) {
  Converter converter;
  std::mt19937 random(7);
  const struct {
    KanjiCode from;
    std::uint8_t to;
  } directions[] = {
      {KanjiCode::ShiftJIS, kOutputEUC}, {KanjiCode::EUC, kOutputShiftJIS},
      {KanjiCode::JIS, kOutputShiftJIS}, {KanjiCode::ShiftJIS, kOutputJIS},
      {KanjiCode::EUC, kOutputJIS},      {KanjiCode::JIS, kOutputEUC},
      {KanjiCode::JIS, kOutputJIS},      {KanjiCode::ShiftJIS, kOutputShiftJIS},
  };
  for (const std::size_t size : {std::size_t{40}, std::size_t{300}, std::size_t{100000}}) {
    for (int round = 0; round < (size > 1000 ? 2 : 200); ++round) {
      const std::string text = RandomText(random, size);
      for (const auto& d : directions) {
        for (const bool sevenBit : {false, true}) {
          StreamResult chunkedEnd{};
          StreamResult expectedEnd{};
          const std::string chunked = ConvertInMemory(
              converter, text,
              EngineConversion{d.from, NewlineCode::DontCare, {d.to, sevenBit, false}},
              &chunkedEnd);
          const std::string expected = ByteWise(text, d.from, d.to, sevenBit, &expectedEnd);
          if (chunked != expected || chunkedEnd != expectedEnd) {
            FAIL() << int(d.from) << " to " << int(d.to) << (sevenBit ? ", 7-bit" : "")
                   << " differs on " << Notation(text.substr(0, 200));
          }
        }
      }
    }
  }
}

std::string ByteWiseUnicode(const std::string& input, KanjiCode from, std::uint8_t to,
                            const UnicodeOptions& options, StreamResult* result = nullptr) {
  MemoryStream s(input);
  UnicodeLookups lookups;
  UnconvertibleReport report;
  const StreamResult ended = ConvertUnicodeStream(
      s, from, to, false, EscapeSequenceOf(EscapeSequenceSet::EscBJ), options, lookups, report);
  if (result) *result = ended;
  return s.Output();
}

// The same for the conversions to and from UTF-8, whose spans go through whole-character
// lookups: every byte class of the random text, replaced or stopping at what has no place,
// in both mappings; the UTF-8 input is the kanji text decoded, with random bytes let in.
TEST(PairRunsTest, UnicodeSpansWriteWhatTheByteWiseRoutinesWrite) {
  Converter converter;
  std::mt19937 random(11);
  auto expectSame = [&](const std::string& text, KanjiCode from, std::uint8_t to,
                        const UnicodeOptions& options) {
    EngineConversion how{from, NewlineCode::DontCare, {to, false, false}};
    how.options.unicode = options;
    StreamResult chunkedEnd{};
    StreamResult expectedEnd{};
    const std::string chunked = ConvertInMemory(converter, text, how, &chunkedEnd);
    const std::string expected = ByteWiseUnicode(text, from, to, options, &expectedEnd);
    EXPECT_TRUE(chunked == expected && chunkedEnd == expectedEnd)
        << int(from) << " to " << int(to) << ", mapping " << int(options.mapping) << ", way "
        << int(options.unconvertible) << ", on " << Notation(text.substr(0, 200));
    return expected;
  };
  for (int round = 0; round < 54; ++round) {
    const std::string text = RandomText(random, round < 50 ? 300 : 100000);
    for (const CharacterMapping mapping : {CharacterMapping::Windows, CharacterMapping::JIS}) {
      for (const Unconvertible way : {Unconvertible::Skip, Unconvertible::Reference}) {
        const UnicodeOptions options{mapping, way};
        for (const KanjiCode from : {KanjiCode::ShiftJIS, KanjiCode::EUC, KanjiCode::JIS}) {
          std::string utf8 = expectSame(text, from, kOutputUTF8, options);
          for (int i = 0; i < 3 && !utf8.empty(); ++i) {
            const auto at = std::uniform_int_distribution<std::size_t>(0, utf8.size())(random);
            utf8.insert(at, 1, static_cast<char>(random()));
          }
          for (const std::uint8_t to : {kOutputShiftJIS, kOutputEUC, kOutputJIS})
            expectSame(utf8, KanjiCode::UTF8, to, options);
        }
      }
    }
  }
}

// A span reads no byte past the end of its input and writes none past the end of its output,
// with ASCII lying beyond both: every cut of a text ending in long ASCII runs, in every room,
// converts what it takes as the byte-wise routine does.
TEST(PairRunsTest, UnicodeSpansStayWithinTheirEnds) {
  const UnicodeOptions options;
  const std::string kanji = "\x88\x9F";
  const std::string sjis =
      kanji + "abc" + kanji + std::string(20, 'd') + kanji + std::string(40, 'e');
  const std::string utf8 = ByteWiseUnicode(sjis, KanjiCode::ShiftJIS, kOutputUTF8, options);
  UnicodeLookups lookups;
  const SpanDecoder decoder{lookups.Decoder(KanjiCode::ShiftJIS, CharacterMapping::Windows)};
  const SpanEncoder encoder{lookups.Encoder(kOutputShiftJIS)};
  const std::string beyond(32, '\xEE');
  auto check = [&](const auto& span, const std::string& text, KanjiCode from, std::uint8_t to) {
    std::map<std::size_t, std::string> byteWise;  // by the length of the text taken
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      const std::string in = text.substr(0, cut) + std::string(32, 'x');
      for (std::size_t room = 0; room <= 3 * cut + 4; ++room) {
        std::string out(room, '\0');
        out += beyond;
        const auto* inBegin = reinterpret_cast<const std::uint8_t*>(in.data());
        auto* outBegin = reinterpret_cast<std::uint8_t*>(out.data());
        const SpanCursors end = span(inBegin, inBegin + cut, outBegin, outBegin + room);
        ASSERT_LE(end.in, inBegin + cut) << "cut " << cut << ", room " << room;
        ASSERT_LE(end.out, outBegin + room) << "cut " << cut << ", room " << room;
        ASSERT_EQ(out.substr(room), beyond) << "cut " << cut << ", room " << room;
        const auto taken = static_cast<std::size_t>(end.in - inBegin);
        if (!byteWise.count(taken))
          byteWise[taken] = ByteWiseUnicode(text.substr(0, taken), from, to, options);
        ASSERT_EQ(out.substr(0, static_cast<std::size_t>(end.out - outBegin)), byteWise[taken])
            << "cut " << cut << ", room " << room;
      }
    }
  };
  check(decoder, sjis, KanjiCode::ShiftJIS, kOutputUTF8);
  check(encoder, utf8, KanjiCode::UTF8, kOutputShiftJIS);
}

using ChunkConverter = std::size_t (*)(const std::uint8_t*, std::uint8_t*, std::size_t);

// The chunks as far as they go, then the byte-wise routine from where they stopped.
std::string ChunksThenByteWise(ChunkConverter convert, const std::string& text, KanjiCode from,
                               std::uint8_t to) {
  std::string out(text.size(), '\0');
  const std::size_t done = convert(reinterpret_cast<const std::uint8_t*>(text.data()),
                                   reinterpret_cast<std::uint8_t*>(out.data()), text.size());
  out.resize(done);
  return out + ByteWise(text.substr(done), from, to, false);
}

// The processor picks one width; both are checked here.
TEST(PairRunsTest, EveryChunkWidthWritesWhatTheByteWiseRoutinesWrite) {
  using text_chunks::Convert;
  struct Width {
    const char* name;
    ChunkConverter shiftJISToEUC, eucToShiftJIS;
  };
  std::vector<Width> widths = {{"SSE2", Convert<Sse2, text_chunks::ShiftJISToEUC>,
                                Convert<Sse2, text_chunks::EUCToShiftJIS>}};
  if (CpuHasAvx2()) widths.push_back({"AVX2", ShiftJISToEUCChunksAvx2, EUCToShiftJISChunksAvx2});
  std::mt19937 random(13);
  for (int round = 0; round < 300; ++round) {
    const std::string text = RandomText(random, 200);
    for (const Width& w : widths) {
      EXPECT_EQ(ChunksThenByteWise(w.shiftJISToEUC, text, KanjiCode::ShiftJIS, kOutputEUC),
                ByteWise(text, KanjiCode::ShiftJIS, kOutputEUC, false))
          << w.name << " on " << Notation(text);
      EXPECT_EQ(ChunksThenByteWise(w.eucToShiftJIS, text, KanjiCode::EUC, kOutputShiftJIS),
                ByteWise(text, KanjiCode::EUC, kOutputShiftJIS, false))
          << w.name << " on " << Notation(text);
    }
  }
}

TEST(PairRunsTest, StopsBeforeWhatTheByteWiseRoutineTakesAndKeepsPairsWhole) {
  // 88 9F pairs, with an A0 (a katakana, written after a prefix in EUC) at byte 6;
  // then behind an odd byte, so that characters start at odd offsets.
  std::string in;
  for (int i = 0; i < 64; ++i)
    in += "\x88\x9F";
  std::string out(in.size(), '\0');
  auto convert = [&](const std::string& text) {
    return ConvertPairRuns(reinterpret_cast<const std::uint8_t*>(text.data()),
                           reinterpret_cast<std::uint8_t*>(out.data()), text.size(),
                           PairRun::ShiftJISToEUC);
  };
  std::string katakana = in;
  katakana[6] = '\xA0';
  EXPECT_EQ(convert(katakana), 6u);
  // A lead byte without a row in EUC stops it too, the same byte as a second byte not.
  std::string vendorKanji = in;
  vendorKanji.replace(6, 2, "\xFB\xFC");
  EXPECT_EQ(convert(vendorKanji), 6u);
  std::string secondByte = in;
  secondByte[7] = '\xFB';
  EXPECT_EQ(convert(secondByte), convert(in));
  std::string shifted = "a";
  shifted += in.substr(0, in.size() - 1);
  const std::size_t done = convert(shifted);
  EXPECT_EQ(done % 2, 1u);
  EXPECT_GE(done, shifted.size() - 64);
  EXPECT_EQ(convert(in.substr(0, 16)), 0u);
}

}  // namespace
}  // namespace mxt::engine
