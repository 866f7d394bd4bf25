// The conversions to and from UTF-8 over the whole code space, against glibc's iconv(3):
// CP932 for what Windows decodes and writes, EUC-JP and ISO-2022-JP for the JIS mapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Bytes.h"
#include "tests/support/EngineRun.h"
#include "tests/support/Iconv.h"

namespace mxt::engine {
namespace {

using testing::Bytes;
using testing::ConvertInMemory;
using testing::EngineConversion;
using testing::Iconv;
using testing::Notation;

std::string Pair(int first, int second) {
  return {static_cast<char>(first), static_cast<char>(second)};
}

// The Shift-JIS bytes of a plane-1 cell, rows beyond 94 included.
std::string ShiftJISCell(int row, int cell) {
  const int lead = (row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0);
  const int trail = row % 2 ? cell + 0x3F + (cell >= 64) : cell + 0x9E;
  return Pair(lead, trail);
}

std::string EUCCell(int row, int cell) {
  return Pair(0xA0 + row, 0xA0 + cell);
}

// The seven cells whose character the mapping decides: Windows, then JIS.
struct LookAlike {
  int row, cell;
  const char* windows;
  const char* jis;
};
const LookAlike kLookAlikes[] = {
    {1, 29, "\u2015", "\u2015"}, {1, 33, "\uFF5E", "\u301C"}, {1, 34, "\u2225", "\u2016"},
    {1, 61, "\uFF0D", "\u2212"}, {1, 81, "\uFFE0", "\u00A2"}, {1, 82, "\uFFE1", "\u00A3"},
    {2, 44, "\uFFE2", "\u00AC"},
};

class UnicodeOracleTest : public ::testing::Test {
 protected:
  std::string Convert(const std::string& text, KanjiCode from, std::uint8_t to,
                      CharacterMapping mapping = CharacterMapping::Windows,
                      StreamResult* result = nullptr, Unconvertible way = Unconvertible::Skip) {
    EngineConversion how;
    how.detected = from;
    how.options.outputKanjiCode = to;
    how.options.unicode = {mapping, way};
    return ConvertInMemory(converter_, text, how, result);
  }

  // Each cell alone, converted as one text with a newline after each: what iconv decodes
  // must come out as iconv has it, and a cell iconv rejects must stop the conversion.
  void ExpectCellsDecodeAs(const std::vector<std::string>& cells, KanjiCode from,
                           const char* iconvName, CharacterMapping mapping) {
    std::string text;
    std::string expected;
    std::size_t decoded = 0;
    for (const std::string& cell : cells) {
      const auto oracle = Iconv(cell, iconvName, "UTF-8");
      if (!oracle || oracle->empty()) {
        StreamResult result = StreamResult::Complete;
        Convert(cell, from, kOutputUTF8, mapping, &result);
        EXPECT_EQ(result, StreamResult::Unrepresentable) << Notation(cell) << " decoded";
        continue;
      }
      text += cell + "\n";
      expected += *oracle + "\n";
      ++decoded;
    }
    EXPECT_GT(decoded, cells.size() / 2);
    EXPECT_TRUE(Convert(text, from, kOutputUTF8, mapping) == expected) << iconvName;
  }

  Converter converter_;
};

std::vector<std::string> ShiftJISCells(int rows) {
  std::vector<std::string> cells;
  for (int row = 1; row <= rows; ++row) {
    for (int cell = 1; cell <= 94; ++cell)
      cells.push_back(ShiftJISCell(row, cell));
  }
  return cells;
}

std::vector<std::string> EUCCells(const std::string& prefix = "") {
  std::vector<std::string> cells;
  for (int row = 1; row <= 94; ++row) {
    for (int cell = 1; cell <= 94; ++cell)
      cells.push_back(prefix + EUCCell(row, cell));
  }
  return cells;
}

TEST_F(UnicodeOracleTest, EveryShiftJISCellWindowsHasDecodesAsCP932Does) {
  std::vector<std::string> cells = ShiftJISCells(120);
  for (int kana = 0xA1; kana <= 0xDF; ++kana)
    cells.emplace_back(1, static_cast<char>(kana));
  ExpectCellsDecodeAs(cells, KanjiCode::ShiftJIS, "CP932", CharacterMapping::Windows);
}

TEST_F(UnicodeOracleTest, EveryEUCCellDecodesAsItsShiftJISImageInWindowsAndAsEUCJPInJIS) {
  // Windows: the EUC cell is the Shift-JIS cell of the same row and cell.
  std::string euc;
  std::string sjis;
  for (int row = 1; row <= 94; ++row) {
    for (int cell = 1; cell <= 94; ++cell) {
      if (!Iconv(ShiftJISCell(row, cell), "CP932", "UTF-8")) continue;
      euc += EUCCell(row, cell) + "\n";
      sjis += ShiftJISCell(row, cell) + "\n";
    }
  }
  EXPECT_TRUE(Convert(euc, KanjiCode::EUC, kOutputUTF8) == *Iconv(sjis, "CP932", "UTF-8"));
  // JIS: wherever EUC-JP decodes a cell, the half-width katakana and JIS X 0212 included.
  std::vector<std::string> cells = EUCCells();
  for (int kana = 0xA1; kana <= 0xDF; ++kana)
    cells.push_back(Pair(0x8E, kana));
  const std::vector<std::string> supplementary = EUCCells("\x8F");
  cells.insert(cells.end(), supplementary.begin(), supplementary.end());
  std::string known;
  std::string expected;
  for (const std::string& cell : cells) {
    if (const auto oracle = Iconv(cell, "EUC-JP", "UTF-8")) {
      known += cell + "\n";
      expected += *oracle + "\n";
    }
  }
  EXPECT_TRUE(Convert(known, KanjiCode::EUC, kOutputUTF8, CharacterMapping::JIS) == expected);
}

// ISO-2022-JP has no NEC rows: there a cell decodes as its Shift-JIS image does in CP932.
TEST_F(UnicodeOracleTest, EveryJISX0208CellBehindEscBDecodesAsISO2022JPOrCP932Do) {
  std::string text;
  std::string expected;
  for (int row = 1; row <= 94; ++row) {
    for (int cell = 1; cell <= 94; ++cell) {
      const std::string jis = Bytes("ESC '$B'") + Pair(0x20 + row, 0x20 + cell) + Bytes("ESC '(B'");
      auto oracle = Iconv(jis, "ISO-2022-JP", "UTF-8");
      if (!oracle) oracle = Iconv(ShiftJISCell(row, cell), "CP932", "UTF-8");
      if (!oracle) {
        StreamResult result = StreamResult::Complete;
        Convert(jis, KanjiCode::JIS, kOutputUTF8, CharacterMapping::JIS, &result);
        EXPECT_EQ(result, StreamResult::Unrepresentable) << row << "-" << cell << " decoded";
        continue;
      }
      text += jis + "\n";
      expected += *oracle + "\n";
    }
  }
  EXPECT_TRUE(Convert(text, KanjiCode::JIS, kOutputUTF8, CharacterMapping::JIS) == expected);
}

TEST_F(UnicodeOracleTest, TheSevenLookAlikesDecodeByTheMappingAndEncodeFromEither) {
  for (const LookAlike& l : kLookAlikes) {
    const std::string sjis = ShiftJISCell(l.row, l.cell);
    const std::string euc = EUCCell(l.row, l.cell);
    for (const auto& [from, text] : {std::pair{KanjiCode::ShiftJIS, sjis}, {KanjiCode::EUC, euc}}) {
      EXPECT_EQ(Convert(text, from, kOutputUTF8, CharacterMapping::Windows), l.windows);
      EXPECT_EQ(Convert(text, from, kOutputUTF8, CharacterMapping::JIS), l.jis);
    }
    for (const char* character : {l.windows, l.jis}) {
      EXPECT_EQ(Notation(Convert(character, KanjiCode::UTF8, kOutputShiftJIS)), Notation(sjis));
      EXPECT_EQ(Notation(Convert(character, KanjiCode::UTF8, kOutputEUC)), Notation(euc));
    }
  }
  EXPECT_EQ(Notation(Convert("\u2014", KanjiCode::UTF8, kOutputShiftJIS)), "81 5C");
}

// ASCII runs of every length up to well past a chunk, between kanji, in a text of several
// blocks: the runs are copied whole wherever they end and wherever the buffers end.
TEST_F(UnicodeOracleTest, AsciiRunsOfEveryLengthBetweenKanjiAgreeWithIconvBothWays) {
  const std::string letters = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string euc;
  for (int round = 0; euc.size() < 700000; ++round) {
    for (std::size_t length = 0; length <= 40; ++length) {
      euc += letters.substr(round % 20, length);
      for (int k = 0; k <= (round + static_cast<int>(length)) % 3; ++k)
        euc += EUCCell(16 + (round + k) % 31, 1 + (static_cast<int>(length) * 7 + k) % 94);
      if (length % 13 == 12) euc += "\n";
    }
  }
  const std::string sjis = *Iconv(euc, "EUC-JP", "CP932");
  const std::string utf8 = *Iconv(euc, "EUC-JP", "UTF-8");
  EXPECT_TRUE(Convert(sjis, KanjiCode::ShiftJIS, kOutputUTF8) == utf8);
  EXPECT_TRUE(Convert(euc, KanjiCode::EUC, kOutputUTF8) == utf8);
  EXPECT_TRUE(Convert(utf8, KanjiCode::UTF8, kOutputShiftJIS) == sjis);
  EXPECT_TRUE(Convert(utf8, KanjiCode::UTF8, kOutputEUC) == euc);
}

// Every character Windows decodes goes back as iconv's CP932 writes it; EUC writes it in a
// cell that decodes to it again, as EUC-JP writes it wherever EUC-JP can.
TEST_F(UnicodeOracleTest, EveryCharacterIsWrittenAsCP932AndEUCJPWriteIt) {
  std::string characters;
  for (const std::string& cell : ShiftJISCells(120)) {
    if (const auto character = Iconv(cell, "CP932", "UTF-8")) characters += *character + "\n";
  }
  for (const std::string& cell : EUCCells("\x8F")) {
    if (const auto character = Iconv(cell, "EUC-JP", "UTF-8")) characters += *character + "\n";
  }
  for (std::size_t start = 0, end; (end = characters.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string character = characters.substr(start, end - start);
    StreamResult result = StreamResult::Complete;
    const std::string sjis =
        Convert(character, KanjiCode::UTF8, kOutputShiftJIS, CharacterMapping::Windows, &result);
    if (const auto oracle = Iconv(character, "UTF-8", "CP932")) {
      ASSERT_EQ(Notation(sjis), Notation(*oracle)) << character;
    } else {
      ASSERT_EQ(result, StreamResult::Unrepresentable) << character;
    }
    const std::string euc =
        Convert(character, KanjiCode::UTF8, kOutputEUC, CharacterMapping::Windows, &result);
    // EUC-JP writes the Windows look-alikes and what the NEC rows have as JIS X 0212; here
    // the cells of rows 1-94 come first.
    const bool lookAlike = std::any_of(std::begin(kLookAlikes), std::end(kLookAlikes),
                                       [&](const LookAlike& l) { return character == l.windows; });
    const auto eucJP = Iconv(character, "UTF-8", "EUC-JP");
    const bool inPlane1Here = eucJP && eucJP->front() == '\x8F' && euc.size() == 2;
    if (eucJP && !lookAlike && !inPlane1Here) {
      ASSERT_EQ(Notation(euc), Notation(*eucJP)) << character;
    } else if (result == StreamResult::Complete) {
      const std::string back = Convert(euc, KanjiCode::EUC, kOutputUTF8);
      ASSERT_EQ(back, character) << Notation(euc);
    } else {
      ASSERT_GE(character.front() & 0xFF, 0xEE) << character << ": only the user-defined area";
    }
  }
}

// From UTF-8 and between the kanji codes: an emoji, é (EUC has it, Shift-JIS not), a
// user-defined character into EUC or JIS, a JIS X 0212 kanji into Shift-JIS or JIS.
TEST_F(UnicodeOracleTest, ACharacterWithNoPlaceStopsOrIsReplacedAndCounted) {
  constexpr auto kSkip = Unconvertible::Skip;
  constexpr auto kGeta = Unconvertible::Geta;
  constexpr auto kReference = Unconvertible::Reference;
  constexpr auto kStopped = StreamResult::Unrepresentable;
  constexpr auto kComplete = StreamResult::Complete;
  const char* const kEmoji = "'a' F0 9F 98 80 'b' C3 A9 'c'";
  const struct {
    KanjiCode from;
    std::uint8_t to;
    Unconvertible way;
    const char* input;
    StreamResult result;
    const char* output;
    std::int64_t count;
    std::int32_t firstCodePoint;
    std::int64_t firstOffset;
  } cases[] = {
      {KanjiCode::UTF8, kOutputShiftJIS, kSkip, kEmoji, kStopped, "'a'", 1, 0x1F600, 1},
      {KanjiCode::UTF8, kOutputShiftJIS, kGeta, kEmoji, kComplete, "'a' 81 AC 'b' 81 AC 'c'", 2,
       0x1F600, 1},
      {KanjiCode::UTF8, kOutputShiftJIS, kReference, kEmoji, kComplete, "'a&#x1F600;b&#xE9;c'", 2,
       0x1F600, 1},
      {KanjiCode::UTF8, kOutputEUC, kGeta, kEmoji, kComplete, "'a' A2 AE 'b' 8F AB B1 'c'", 1,
       0x1F600, 1},
      {KanjiCode::UTF8, kOutputJIS, kReference, kEmoji, kComplete, "'a&#x1F600;b&#xE9;c'", 2,
       0x1F600, 1},
      {KanjiCode::ShiftJIS, kOutputEUC, kGeta, "'a' F0 40 88 9F", kComplete, "'a' A2 AE B0 A1", 1,
       0xE000, 1},
      {KanjiCode::ShiftJIS, kOutputEUC, kReference, "'a' F0 40", kComplete, "'a&#xE000;'", 1,
       0xE000, 1},
      {KanjiCode::ShiftJIS, kOutputJIS, kGeta, "88 9F F0 40 'b'", kComplete,
       "ESC '$B' '0!\".' ESC '(J' 'b'", 1, 0xE000, 2},
      {KanjiCode::ShiftJIS, kOutputJIS, kReference, "88 9F F0 40", kComplete,
       "ESC '$B' '0!' ESC '(J' '&#xE000;'", 1, 0xE000, 2},
      {KanjiCode::EUC, kOutputShiftJIS, kReference, "8F B0 A1 'z'", kComplete, "'&#x4E02;z'", 1,
       0x4E02, 0},
      {KanjiCode::EUC, kOutputShiftJIS, kSkip, "'ab' 8F B0 A1", kStopped, "'ab'", 1, 0x4E02, 2},
      {KanjiCode::EUC, kOutputJIS, kGeta, "B0 A1 8F B0 A1", kComplete,
       "ESC '$B' '0!' ESC '(J' ESC '$B' '\".' ESC '(J'", 1, 0x4E02, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    StreamResult result = StreamResult::Complete;
    const std::string output =
        Convert(Bytes(c.input), c.from, c.to, CharacterMapping::Windows, &result, c.way);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(Notation(output), Notation(Bytes(c.output)));
    EXPECT_EQ(converter_.Unconvertibles().count, c.count);
    EXPECT_EQ(converter_.Unconvertibles().firstCodePoint, c.firstCodePoint);
    EXPECT_EQ(converter_.Unconvertibles().firstOffset, c.firstOffset);
  }
}

TEST_F(UnicodeOracleTest, BytesThatAreNoCharacterBecomeGetaEvenAsReferences) {
  const struct {
    KanjiCode from;
    std::uint8_t to;
    const char* input;
    const char* output;
    std::int64_t offset;  // of the first byte that is no character
  } cases[] = {
      {KanjiCode::ShiftJIS, kOutputUTF8, "'a' 85 40 'b'", "'a' E3 80 93 'b'", 1},  // empty cell
      {KanjiCode::ShiftJIS, kOutputUTF8, "'a' 81 0A", "'a' E3 80 93 0A", 1},  // a lead, a newline
      {KanjiCode::EUC, kOutputUTF8, "'a' 8F A1 A1", "'a' E3 80 93", 1},
      {KanjiCode::JIS, kOutputUTF8, "'a' ESC '$B' ')!'", "'a' E3 80 93", 4},
      // half a pair before an escape or a newline, or at the end
      {KanjiCode::JIS, kOutputUTF8, "ESC '$BF|F' ESC '(B' 0A", "E6 97 A5 E3 80 93 0A", 5},
      {KanjiCode::JIS, kOutputUTF8, "ESC '$BF' 0A 'F|'", "E3 80 93 0A E6 97 A5", 3},
      {KanjiCode::JIS, kOutputUTF8, "ESC '$BF|F'", "E6 97 A5 E3 80 93", 5},
      {KanjiCode::UTF8, kOutputShiftJIS, "'a' E3 81 0A", "'a' 81 AC 0A", 1},
      {KanjiCode::UTF8, kOutputEUC, "'a' ED A0 80", "'a' A2 AE", 1},                   // surrogate
      {KanjiCode::UTF8, kOutputShiftJIS, "'a' E0 82 A7 'bcd'", "'a' 81 AC 'bcd'", 1},  // overlong
  };
  for (const auto& c : cases) {
    const std::string output = Convert(Bytes(c.input), c.from, c.to, CharacterMapping::Windows,
                                       nullptr, Unconvertible::Reference);
    EXPECT_EQ(Notation(output), Notation(Bytes(c.output))) << c.input;
    EXPECT_EQ(converter_.Unconvertibles().firstCodePoint, kNoCharacter) << c.input;
    EXPECT_EQ(converter_.Unconvertibles().count, 1) << c.input;
    EXPECT_EQ(converter_.Unconvertibles().firstOffset, c.offset) << c.input;
  }
  // Another set designated for what follows (JIS X 0201 katakana, JIS X 0212, a terminal's
  // line drawing, a sequence cut short) stops the file even where characters are replaced:
  // what follows cannot be told apart into characters.
  const struct {
    const char* input;
    const char* output;
    std::int64_t offset;
  } designations[] = {
      {"'a' ESC '(I12' ESC '(Bb'", "'a'", 1},
      {"0A ESC '$BF|' ESC '$(D0!' ESC '(B'", "0A E6 97 A5", 6},
      {"'a' ESC '(0lqk' ESC '(B'", "'a'", 1},
      {"'a' ESC '$('", "'a'", 1},
  };
  for (const auto& d : designations) {
    StreamResult result = StreamResult::Complete;
    const std::string output = Convert(Bytes(d.input), KanjiCode::JIS, kOutputUTF8,
                                       CharacterMapping::Windows, &result, Unconvertible::Geta);
    EXPECT_EQ(result, StreamResult::Unrepresentable) << d.input;
    EXPECT_EQ(Notation(output), Notation(Bytes(d.output))) << d.input;
    EXPECT_EQ(converter_.Unconvertibles().firstOffset, d.offset) << d.input;
  }
  // An escape that designates no set (a terminal's colour) is text, as its control byte is.
  const std::string colour = Bytes("'a' ESC '[31mb' ESC '[0m'");
  EXPECT_EQ(Convert(colour, KanjiCode::JIS, kOutputUTF8, CharacterMapping::Windows, nullptr,
                    Unconvertible::Reference),
            colour);
  EXPECT_EQ(converter_.Unconvertibles().count, 0);
}

TEST_F(UnicodeOracleTest, AByteOrderMarkIsDroppedOnInputAndWrittenOnlyWhenAsked) {
  EngineConversion how;
  how.detected = KanjiCode::UTF8;
  how.options.outputKanjiCode = kOutputShiftJIS;
  EXPECT_EQ(Notation(ConvertInMemory(converter_, Bytes("EF BB BF E3 81 82"), how)), "82 A0");
  how.options.outputKanjiCode = kOutputUTF8;
  EXPECT_EQ(Notation(ConvertInMemory(converter_, Bytes("EF BB BF E3 81 82"), how)), "E3 81 82");
  how.options.byteOrderMark = true;
  EXPECT_EQ(Notation(ConvertInMemory(converter_, Bytes("E3 81 82"), how)), "EF BB BF E3 81 82");
  how.detected = KanjiCode::ShiftJIS;
  EXPECT_EQ(Notation(ConvertInMemory(converter_, Bytes("82 A0"), how)), "EF BB BF E3 81 82");
  // Appended after other text, the file takes none: the output file has one at its start.
  how.options.outputStart = 10;
  EXPECT_EQ(Notation(ConvertInMemory(converter_, Bytes("82 A0"), how)), "E3 81 82");
}

}  // namespace
}  // namespace mxt::engine
