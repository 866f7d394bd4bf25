#include "engine/TextClassification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/Bytes.h"
#include "tests/support/Iconv.h"

namespace mxt::engine {
namespace {

using testing::Bytes;

const std::uint8_t* Data(const std::string& s) {
  return reinterpret_cast<const std::uint8_t*>(s.data());
}
std::uint32_t Length(const std::string& s) {
  return static_cast<std::uint32_t>(s.size());
}

KanjiCode Detect(const std::string& s) {
  return DetectKanjiCode(Data(s), Length(s));
}

bool IsBinary(const std::string& s) {
  return IsBinaryText(Data(s), Length(s));
}

bool IsUTF8(const std::string& s, bool goesOn = false) {
  return IsUTF8Text(Data(s), Length(s), goesOn);
}

TEST(IsBinaryTextTest, FlagsExactlyTheListedControlCharacters) {
  for (int c = 0; c < 0x20; ++c) {
    const bool counted = c <= 0x06 || c == 0x0B || (c >= 0x10 && c <= 0x19) || c >= 0x1C;
    EXPECT_EQ(IsBinary(std::string(1, static_cast<char>(c))), counted) << "byte " << c;
  }
}

// One control character in 32 is text; only the first 1024 bytes count.
TEST(IsBinaryTextTest, CountsControlCharactersInTheFirst1024Bytes) {
  EXPECT_FALSE(IsBinary(std::string(31, 'a') + '\0'));
  EXPECT_TRUE(IsBinary(std::string(30, 'a') + '\x01'));
  EXPECT_FALSE(IsBinary(""));
  std::string text(4000, 'a');
  for (int i = 0; i < 32; ++i)
    text[i * 30] = '\x02';
  EXPECT_FALSE(IsBinary(text));
  text[1000] = '\x02';
  EXPECT_TRUE(IsBinary(text));
  EXPECT_FALSE(IsBinary(std::string(1024, 'a') + std::string(3000, '\x02')));
}

TEST(IsUTF8TextTest, WantsWellFormedUTF8WithAMultiByteCharacter) {
  const struct {
    const char* notation;
    bool expected;
  } cases[] = {
      {"EF BB BF", true},              // the byte-order mark alone
      {"EF BB BF FF FE", true},        // the mark decides whatever follows
      {"'caf' C3 A9", true},           // two bytes
      {"E3 81 82 E3 81 84 0A", true},  // あい
      {"'x' F0 9F 98 80 'y'", true},   // four bytes
      {"F4 8F BF BF", true},           // U+10FFFF
      {"'abc' 0A", false},             // ASCII alone
      {"", false},
      {"C0 AF", false},        // overlong "/"
      {"E0 80 AF", false},     // overlong in three bytes
      {"F0 80 80 AF", false},  // overlong in four bytes
      {"ED A0 80", false},     // a surrogate
      {"F4 90 80 80", false},  // above U+10FFFF
      {"F5 80 80 80", false},
      {"C3 A9 80", false},  // a stray continuation byte
      {"C3 'a'", false},
      {"E3 81", false},  // cut off by the end of the file
      {"C3 A9 E3 81", false},
      {"EF BB", false},        // half a byte-order mark
      {"88 9F 82 A0", false},  // Shift-JIS 院 あ
      {"B0 A1 A4 A2", false},  // EUC 亜 あ
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsUTF8(Bytes(c.notation)), c.expected) << c.notation;
}

// A character cut by the end of a full first block goes on in the file.
TEST(IsUTF8TextTest, TakesACharacterCutByTheEndOfAFullBlockAsGoingOn) {
  const std::string cut = Bytes("C3 A9") + std::string(32764, 'a') + Bytes("E3 81");
  EXPECT_TRUE(IsUTF8(cut, true));
  EXPECT_FALSE(IsUTF8(cut));
  // Alone it is no sign of UTF-8: E3 81 is a Shift-JIS pair as well.
  EXPECT_FALSE(IsUTF8(std::string(32766, 'a') + Bytes("E3 81"), true));
  EXPECT_FALSE(IsUTF8(Bytes("C3 A9") + std::string(32764, 'a') + Bytes("E3 41"), true));
}

// Real text from iconv, each byte of a character checked across the fast ASCII steps.
TEST(IsUTF8TextTest, AcceptsIconvsUTF8AndRefusesItsShiftJISAndEUC) {
  std::string euc;
  for (int row = 0xB0; row <= 0xCE; ++row) {  // whole rows of kanji
    euc += "abcdefg ";
    for (int cell = 0xA1; cell <= 0xFE; ++cell)
      euc += {static_cast<char>(row), static_cast<char>(cell)};
    euc += "\n";
  }
  const std::string utf8 = testing::Iconv(euc, "EUC-JP", "UTF-8").value();
  EXPECT_TRUE(IsUTF8(utf8));
  for (std::size_t cut = 1; cut < 64; ++cut) {
    const std::string shorter = utf8.substr(0, utf8.size() - cut);
    const bool whole = (static_cast<unsigned char>(utf8[utf8.size() - cut]) & 0xC0) != 0x80;
    EXPECT_EQ(IsUTF8(shorter), whole) << cut;
  }
  EXPECT_FALSE(IsUTF8(testing::Iconv(euc, "EUC-JP", "SHIFT_JIS").value()));
  EXPECT_FALSE(IsUTF8(euc));
}

std::string EncodeUTF8(char32_t c) {
  std::string s;
  const auto put = [&s](unsigned value) { s.push_back(static_cast<char>(value)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | c >> 6), put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | c >> 12), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | c >> 18), put(0x80 | (c >> 12 & 0x3F)), put(0x80 | (c >> 6 & 0x3F));
    put(0x80 | (c & 0x3F));
  }
  return s;
}

// Text in pieces: runs of ASCII, and characters near every edge of the encoding.
class UTF8Pieces {
 public:
  explicit UTF8Pieces(unsigned seed) : random_(seed) {}

  std::string Valid() {
    if (Below(4) == 0) return std::string(Below(70), static_cast<char>('a' + Below(26)));
    static const char32_t kEdges[][2] = {
        {0x20, 0x7E},     {0x80, 0x7FF},    {0x800, 0xFFF},     {0x3000, 0x9FFF},
        {0xD000, 0xD7FF}, {0xE000, 0xFFFF}, {0x10000, 0x10FFF}, {0x10F000, 0x10FFFF},
    };
    const auto& range = kEdges[Below(std::size(kEdges))];
    return EncodeUTF8(range[0] + Below(range[1] - range[0] + 1));
  }

  // One fault of each kind the encoding can have.
  std::string Faulty() {
    const auto any = [this](unsigned low, unsigned high) {
      return static_cast<char>(low + Below(high - low + 1));
    };
    switch (Below(9)) {
      case 0:
        return {any(0x80, 0xBF)};  // a stray continuation
      case 1:
        return {any(0xC0, 0xC1), any(0x80, 0xBF)};  // overlong in two bytes
      case 2:
        return {'\xE0', any(0x80, 0x9F), any(0x80, 0xBF)};  // overlong in three
      case 3:
        return {'\xED', any(0xA0, 0xBF), any(0x80, 0xBF)};  // a surrogate
      case 4:
        return {'\xF0', any(0x80, 0x8F), any(0x80, 0xBF), any(0x80, 0xBF)};
      case 5:
        return {'\xF4', any(0x90, 0xBF), any(0x80, 0xBF), any(0x80, 0xBF)};
      case 6:
        return {any(0xF5, 0xFF), any(0x80, 0xBF), any(0x80, 0xBF)};
      case 7:
        return Valid().substr(0, 1) + EncodeUTF8(0x3042).substr(0, 2) + "a";  // cut short
      default:
        return EncodeUTF8(0x3042) + any(0x80, 0xBF);  // one continuation too many
    }
  }

  unsigned Below(std::size_t n) { return static_cast<unsigned>(random_() % n); }

 private:
  std::mt19937 random_;
};

bool HasHighByte(const std::string& s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool StartsWithMark(const std::string& s) {
  return s.starts_with(Bytes("EF BB BF"));
}

// glibc's decoder is the judge of well-formed text, over lengths that cross many chunks.
TEST(IsUTF8TextTest, AgreesWithIconvOnTextWithAndWithoutFaults) {
  UTF8Pieces pieces(7);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const unsigned count = pieces.Below(120);
    const bool faulty = round % 2 == 1;
    const unsigned faultAt = pieces.Below(count + 1);
    for (unsigned k = 0; k <= count; ++k)
      text += faulty && k == faultAt ? pieces.Faulty() : pieces.Valid();
    const bool expected =
        StartsWithMark(text) ||
        (testing::Iconv(text, "UTF-8", "UTF-16LE").has_value() && HasHighByte(text));
    EXPECT_EQ(IsUTF8(text), expected) << testing::Notation(text);
  }
}

// Cut anywhere, well-formed text passes as going on only up to its last whole character.
TEST(IsUTF8TextTest, JudgesTextCutAnywhereByItsWholeCharacters) {
  UTF8Pieces pieces(11);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    std::vector<std::size_t> starts;
    for (unsigned k = pieces.Below(100); k-- > 0;) {
      starts.push_back(text.size());
      text += pieces.Valid();
    }
    const std::size_t cut = pieces.Below(text.size() + 1);
    // Where the character the cut falls in starts; runs of ASCII are cut between characters.
    starts.push_back(text.size());
    std::size_t whole = cut;
    for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
      const bool inside = starts[k] < cut && cut < starts[k + 1];
      if (inside && static_cast<unsigned char>(text[starts[k]]) >= 0x80) whole = starts[k];
    }
    const std::string kept = text.substr(0, cut);
    const bool mark = StartsWithMark(kept);
    const bool multiByte = HasHighByte(text.substr(0, whole));
    EXPECT_EQ(IsUTF8(kept, true), mark || multiByte) << testing::Notation(kept);
    EXPECT_EQ(IsUTF8(kept), mark || (cut == whole && multiByte)) << testing::Notation(kept);
  }
}

// The first newline decides, however far into the text.
TEST(DetectNewlineCodeTest, ReportsTheFirstNewline) {
  const struct {
    const char* notation;
    NewlineCode expected;
  } cases[] = {
      {"", NewlineCode::DontCare},        {"'abc'", NewlineCode::DontCare},
      {"'a' 0D", NewlineCode::DontCare},  {"'a' 0D 'b' 0A", NewlineCode::CR},
      {"'a' 0A 'b' 0D", NewlineCode::LF}, {"'a' 0D 0A 'b'", NewlineCode::CRLF},
      {"0A 0D 0A", NewlineCode::LF},
  };
  for (const auto& c : cases) {
    const std::string s = Bytes(c.notation);
    EXPECT_EQ(DetectNewlineCode(Data(s), Length(s)), c.expected) << c.notation;
  }
  const std::string far = std::string(5000, 'a') + "\r\n";
  EXPECT_EQ(DetectNewlineCode(Data(far), Length(far)), NewlineCode::CRLF);
}

TEST(DetectKanjiCodeTest, DecidesByTheFirstDecisivePattern) {
  const struct {
    const char* notation;
    KanjiCode expected;
  } cases[] = {
      {"", KanjiCode::Ascii},
      {"'abc'", KanjiCode::Ascii},
      {"'a' ESC '$B' 'b'", KanjiCode::JIS},
      {"ESC '$@'", KanjiCode::JIS},
      {"ESC 'K'", KanjiCode::JIS},
      {"ESC '(J' 'x'", KanjiCode::Ascii},
      {"ESC '$A'", KanjiCode::Ascii},
      {"ESC '$'", KanjiCode::Ascii},
      {"ESC ESC 'K'", KanjiCode::JIS},
      {"ESC '$' ESC '$B'", KanjiCode::JIS},
      {"ESC '$B' 88 9F", KanjiCode::JIS},
      {"88 9F ESC '$B'", KanjiCode::ShiftJIS},
      {"88 9F", KanjiCode::ShiftJIS},
      {"E0 40", KanjiCode::ShiftJIS},
      {"81", KanjiCode::Ascii},
      {"'ab' 81", KanjiCode::Ascii},
      {"81 0A", KanjiCode::Ascii},
      {"81 7F", KanjiCode::Ascii},
      {"81 FD", KanjiCode::Ascii},
      {"81 FC", KanjiCode::ShiftJIS},
      {"8E B1", KanjiCode::ShiftJIS},
      {"8E 40", KanjiCode::ShiftJIS},
      {"8E E0", KanjiCode::ShiftJIS},
      {"8E 3F", KanjiCode::Ascii},
      {"8E FD 88 9F", KanjiCode::ShiftJIS},
      {"E0 A1", KanjiCode::Unknown},
      {"E0 FC", KanjiCode::Unknown},
      {"8E B1 E0 A1", KanjiCode::Unknown},
      {"E0 A1 8E B1", KanjiCode::Unknown},
      {"E0 A0", KanjiCode::ShiftJIS},
      {"E0 FD", KanjiCode::EUC},
      {"E0 FE", KanjiCode::EUC},
      {"E0 7F 88 9F", KanjiCode::ShiftJIS},
      {"E0 FF 'a'", KanjiCode::Ascii},
      {"B0 A1", KanjiCode::EUC},
      {"B0 E0", KanjiCode::EUC},
      {"FD A1", KanjiCode::EUC},
      {"FE FE", KanjiCode::EUC},
      {"B0 A0", KanjiCode::Ascii},
      {"B0 FF", KanjiCode::Ascii},
      {"A1 A0", KanjiCode::Ascii},
      {"B0 40 88 9F", KanjiCode::ShiftJIS},
      {"A0 FF 80", KanjiCode::Ascii},
      {"B0 B1 88 9F", KanjiCode::ShiftJIS},
      {"B0 B1 E0 A1", KanjiCode::EUC},
      {"B0 B1 8E 88 9F", KanjiCode::EUC},
      {"B0 B1 A1 A1 A1 88 9F", KanjiCode::ShiftJIS},
      {"B0 B1 A1 E0", KanjiCode::EUC},
      {"B0 B1 A0 88 9F", KanjiCode::ShiftJIS},
      {"B0 B1 ESC 'K'", KanjiCode::JIS},
      {"B0 B1 ESC '$' 88 9F", KanjiCode::ShiftJIS},
      {"B0 B1 88 0A 9F 40", KanjiCode::ShiftJIS},
      {"B0 B1", KanjiCode::EUC},
      {"B0 B1 FF", KanjiCode::EUC},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Detect(Bytes(c.notation)), c.expected) << c.notation;
}

// The look-ahead after an ambiguous pair stops after 1024 bytes; the main scan goes on to
// the end of what it is given, and no further.
TEST(DetectKanjiCodeTest, ScansAsFarAsItIsToldTo) {
  const std::string sjis = Bytes("88 9F");
  EXPECT_EQ(Detect(Bytes("B0 B1") + std::string(1022, 'a') + sjis), KanjiCode::ShiftJIS);
  EXPECT_EQ(Detect(Bytes("B0 B1") + std::string(1023, 'a') + sjis), KanjiCode::EUC);
  EXPECT_EQ(Detect(std::string(20000, 'a') + sjis), KanjiCode::ShiftJIS);
  EXPECT_EQ(DetectKanjiCode(Data(std::string(10, 'a') + sjis), 10), KanjiCode::Ascii);
}

TEST(DetectAfterAmbiguousPairTest, LeansToEUC) {
  const struct {
    const char* notation;
    KanjiCode expected;
  } cases[] = {
      {"", KanjiCode::EUC},
      {"'abc'", KanjiCode::EUC},
      {"88 9F", KanjiCode::ShiftJIS},
      {"88", KanjiCode::EUC},
      {"F0 88 9F", KanjiCode::EUC},
      {"8E 88 9F", KanjiCode::EUC},
      {"8E 88 88 9F", KanjiCode::ShiftJIS},
      {"ESC '$@'", KanjiCode::JIS},
      {"ESC ESC 'K'", KanjiCode::JIS},
      {"B1 B1 B1 E0", KanjiCode::EUC},
      {"B1 B1 B1 88 9F", KanjiCode::ShiftJIS},
  };
  for (const auto& c : cases) {
    const std::string s = Bytes(c.notation);
    EXPECT_EQ(DetectAfterAmbiguousPair(Data(s), Length(s)), c.expected) << c.notation;
  }
}

}  // namespace
}  // namespace mxt::engine
