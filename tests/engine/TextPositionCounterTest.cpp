#include "engine/TextPositionCounter.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "tests/support/Bytes.h"

namespace mxt::engine {

void PrintTo(const TextPosition& position, std::ostream* out) {
  *out << "line " << position.line << ", column " << position.column;
}

namespace {

using testing::Bytes;

std::span<const std::uint8_t> Span(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// Where the text ends inside a character, `inside` is where that character stands.
TEST(TextPositionCounterTest, CountsCharactersAndLinesInEachCodeHoweverTheTextIsCut) {
  const struct {
    KanjiCode code;
    std::string text;
    TextPosition next;
    std::optional<TextPosition> inside;
  } cases[] = {
      {KanjiCode::ShiftJIS, Bytes("'a' 88 9F B1 82 A0"), {1, 5}, {}},
      {KanjiCode::ShiftJIS, Bytes("'a' 0D 0A 0A 0D 'b' 0D 88"), {5, 2}, TextPosition{5, 1}},
      {KanjiCode::EUC, Bytes("B0 A1 8E B1 8F B0 A1 'x'"), {1, 5}, {}},
      {KanjiCode::EUC, Bytes("0A B0 A1 8E B1 8F B0"), {2, 4}, TextPosition{2, 3}},
      {KanjiCode::UTF8, "\xEF\xBB\xBF\u3042\U0001F600\u00E9\n", {2, 1}, {}},
      {KanjiCode::UTF8, "\xEF\xBB\xBF\u3042\xF0\x9F", {1, 3}, TextPosition{1, 2}},
      {KanjiCode::UTF8, "a\xEF\xBB\xBF", {1, 3}, {}},  // only the first is no text
      // Known escapes take no column, ESC K enters kanji mode as ESC $ B does, and shifts
      // take none; an unknown escape passes as text.
      {KanjiCode::JIS, Bytes("1B '$B$\"0!' 1B '(Bx' 1B 'K$\"' 1B 'H' 0E 'y' 0F"), {1, 6}, {}},
      {KanjiCode::JIS, Bytes("1B '$x' 1B 'Z'"), {1, 6}, {}},
      // Kanji mode goes on over line ends.
      {KanjiCode::JIS,
       Bytes("'a' 1B '$B$\"' 0A '$\"$\"' 0D 0A '$\"$'"),
       {3, 3},
       TextPosition{3, 2}},
      // A newline or a space ends a kanji pair.
      {KanjiCode::JIS, Bytes("1B '$B$' 0A '$\" $'"), {2, 4}, TextPosition{2, 3}},
  };
  const auto expect = [](const TextPositionCounter& counter, const auto& c) {
    EXPECT_EQ(counter.Next(), c.next);
    if (c.inside) {
      EXPECT_EQ(counter.Last(), *c.inside);
    }
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Notation(c.text));
    TextPositionCounter whole(c.code);
    whole.Count(Span(c.text));
    expect(whole, c);
    // A byte-order mark is seen in the first piece only, which holds it whole.
    for (std::size_t cut = c.code == KanjiCode::UTF8 ? 3 : 1; cut < c.text.size(); ++cut) {
      SCOPED_TRACE("cut at " + std::to_string(cut));
      TextPositionCounter pieces(c.code);
      pieces.Count(Span(c.text).first(cut));
      pieces.Count(Span(c.text).subspan(cut));
      expect(pieces, c);
    }
  }
}

}  // namespace
}  // namespace mxt::engine
