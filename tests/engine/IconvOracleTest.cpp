// Our converters against glibc's iconv(3) on valid JIS X 0208 text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/EscapeSequence.h"
#include "tests/support/EngineRun.h"
#include "tests/support/Iconv.h"

namespace mxt::engine {
namespace {

using testing::ConvertInMemory;
using testing::EngineConversion;
using testing::Iconv;

struct Code {
  KanjiCode kanjiCode;
  std::uint8_t outputCode;
  const char* iconvName;
};

const Code kShiftJIS{KanjiCode::ShiftJIS, kOutputShiftJIS, "SHIFT_JIS"};
const Code kEUC{KanjiCode::EUC, kOutputEUC, "EUC-JP"};
const Code kJIS{KanjiCode::JIS, kOutputJIS, "ISO-2022-JP"};
const Code kCodes[] = {kShiftJIS, kEUC, kJIS};

// Every cell of rows 1-84 that iconv can write in all three codes, as EUC bytes.
const std::vector<std::string>& Kanji() {
  static const std::vector<std::string> kanji = [] {
    std::vector<std::string> cells;
    for (int row = 1; row <= 84; ++row) {
      for (int cell = 1; cell <= 94; ++cell) {
        const std::string euc{static_cast<char>(0xA0 + row), static_cast<char>(0xA0 + cell)};
        if (Iconv(euc, "EUC-JP", "SHIFT_JIS") && Iconv(euc, "EUC-JP", "ISO-2022-JP")) {
          cells.push_back(euc);
        }
      }
    }
    return cells;
  }();
  return kanji;
}

// glibc reads Shift-JIS 5C and 7E as yen sign and overline, so they are left out.
const std::string kAscii =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!\"#$%&'()*+,-./:;<=>?@[]^_`{|}";

// Random EUC text of kanji, ASCII, spaces and newlines, with half-width katakana if asked.
std::string RandomEUCText(std::mt19937& random, std::size_t characters, bool katakana) {
  const auto& kanji = Kanji();
  std::uniform_int_distribution<int> kind(0, 99);
  std::uniform_int_distribution<std::size_t> pickKanji(0, kanji.size() - 1);
  std::uniform_int_distribution<std::size_t> pickAscii(0, kAscii.size() - 1);
  std::uniform_int_distribution<int> pickKana(0xA1, 0xDF);
  std::string text;
  for (std::size_t i = 0; i < characters; ++i) {
    const int k = kind(random);
    if (k < 60) {
      text += kanji[pickKanji(random)];
    } else if (k < 80) {
      text += kAscii[pickAscii(random)];
    } else if (k < 88) {
      text += ' ';
    } else if (k < 94) {
      text += k < 91 ? "\n" : "\r\n";
    } else if (katakana) {
      text += '\x8E';
      text += static_cast<char>(pickKana(random));
    } else {
      text += kanji[pickKanji(random)];
    }
  }
  return text;
}

// JIS is compared in the set iconv writes: ESC "$B" and ESC "(B".
std::string Ours(const std::string& text, const Code& from, const Code& to) {
  Converter converter;
  return ConvertInMemory(
      converter, text,
      EngineConversion{from.kanjiCode,
                       NewlineCode::DontCare,
                       {to.outputCode, false, false, 0, EscapeSequenceSet::EscBB}});
}

class IconvOracleTest : public ::testing::TestWithParam<bool> {};

// JIS into JIS too: it reproduces iconv's escape sequences.
TEST_P(IconvOracleTest, AgreesInEveryDirectionAndRoundTrips) {
  ASSERT_EQ(Kanji().size(), 6879u) << "the alphabet is the whole of JIS X 0208";
  const bool katakana = GetParam();
  std::mt19937 random(katakana ? 20261207 : 1207);
  for (int round = 0; round < 4; ++round) {
    const std::string euc = RandomEUCText(random, 60000, katakana);
    for (const Code& from : kCodes) {
      if (katakana && from.kanjiCode == KanjiCode::JIS) continue;
      const std::string source = *Iconv(euc, "EUC-JP", from.iconvName);
      for (const Code& to : kCodes) {
        if (katakana && to.kanjiCode == KanjiCode::JIS) continue;
        const std::string converted = Ours(source, from, to);
        const auto expected = Iconv(source, from.iconvName, to.iconvName);
        ASSERT_TRUE(expected) << from.iconvName << " to " << to.iconvName;
        ASSERT_EQ(converted, *expected) << from.iconvName << " to " << to.iconvName;
        ASSERT_EQ(Ours(converted, to, from), source)
            << from.iconvName << " back from " << to.iconvName;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutKatakana, IconvOracleTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Katakana" : "KanjiOnly"; });

}  // namespace
}  // namespace mxt::engine
