#include "engine/StreamRoutines.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/Bytes.h"
#include "tests/support/MemoryStream.h"

namespace mxt::engine {
namespace {

using testing::Bytes;
using testing::MemoryStream;
using testing::Notation;

enum class Routine {
  Copy,
  SJISToEUC,
  EUCToSJIS,
  SJISToJIS,
  EUCToJIS,
  JISToSJIS,
  JISToEUC,
  JISToJIS
};

StreamResult RunOn(MemoryStream& s, Routine routine, bool sevenBit,
                   EscapeSequenceSet set = EscapeSequenceSet::EscBJ) {
  const EscapeSequence escapes = EscapeSequenceOf(set);
  switch (routine) {
    case Routine::Copy:
      return CopyStream(s);
    case Routine::SJISToEUC:
      return ShiftJISToEUC(s);
    case Routine::EUCToSJIS:
      return EUCToShiftJIS(s);
    case Routine::SJISToJIS:
      return ShiftJISToJIS(s, sevenBit, escapes);
    case Routine::EUCToJIS:
      return EUCToJIS(s, sevenBit, escapes);
    case Routine::JISToSJIS:
      return JISToShiftJIS(s, sevenBit);
    case Routine::JISToEUC:
      return JISToEUC(s, sevenBit);
    case Routine::JISToJIS:
      return JISToJIS(s, sevenBit, escapes);
  }
  return StreamResult::Complete;
}

std::string RunRoutine(Routine routine, const std::string& input, bool sevenBit) {
  MemoryStream s(input);
  RunOn(s, routine, sevenBit);
  return s.Output();
}

struct Case {
  Routine routine;
  EscapeSequenceSet set;
  bool sevenBit;
  const char* input;
  const char* expected;  // for an unrepresentable character: what was written before it
  StreamResult result = StreamResult::Complete;
};

constexpr auto BJ = EscapeSequenceSet::EscBJ;
constexpr auto BB = EscapeSequenceSet::EscBB;
constexpr auto AtJ = EscapeSequenceSet::EscAtJ;
constexpr auto KH = EscapeSequenceSet::EscKH;
// Any other value stands for the first set.
constexpr auto Four = EscapeSequenceSet{4};
constexpr auto Last = EscapeSequenceSet{255};

class StreamRoutinesTest : public ::testing::Test {
 protected:
  void Check(const Case* begin, const Case* end) {
    for (const Case* c = begin; c != end; ++c) {
      const std::string input = Bytes(c->input);
      MemoryStream s(input);
      const StreamResult result = RunOn(s, c->routine, c->sevenBit, c->set);
      EXPECT_EQ(Notation(s.Output()), Notation(Bytes(c->expected)))
          << "routine " << static_cast<int>(c->routine) << ", set " << static_cast<int>(c->set)
          << (c->sevenBit ? ", 7-bit" : "") << ": " << c->input;
      EXPECT_EQ(result, c->result) << c->input;
    }
  }
};

TEST_F(StreamRoutinesTest, ShiftJISAndEUC) {
  const Case cases[] = {
      {Routine::SJISToEUC, BJ, false, "'A' 88 9F B1 81 0A", "'A' B0 A1 8E B1 81 0A"},
      {Routine::SJISToEUC, BJ, false, "'x' 81", "'x' 81"},
      {Routine::SJISToEUC, BJ, false, "A0 80 FD", "8E A0 80 FD"},
      {Routine::SJISToEUC, BJ, false, "81 7F 81 40", "81 7F A1 A1"},
      {Routine::SJISToEUC, BJ, false, "81 81 40", "A1 E1 '@'"},
      {Routine::EUCToSJIS, BJ, false, "'A' B0 A1 8E B1 B0 0A", "'A' 88 9F B1 B0 0A"},
      {Routine::EUCToSJIS, BJ, false, "'x' 8E", "'x'"},
      {Routine::EUCToSJIS, BJ, false, "'x' 8F B0", "'x' B0"},
      {Routine::EUCToSJIS, BJ, false, "'x' 8F", "'x'"},
      {Routine::EUCToSJIS, BJ, false, "'x' B0", "'x' B0"},
      {Routine::EUCToSJIS, BJ, false, "B0 41 A2 A1", "B0 41 81 9F"},
      {Routine::EUCToSJIS, BJ, false, "80 A0 FF 8D", "80 A0 FF 8D"},
      {Routine::Copy, BJ, false, "00 FF 1A 0D 0A ESC", "00 FF 1A 0D 0A ESC"},
  };
  Check(std::begin(cases), std::end(cases));
}

TEST_F(StreamRoutinesTest, WritingJIS) {
  const Case cases[] = {
      {Routine::SJISToJIS, BJ, false, "'A' 88 9F 88 9F ' B' B1 B2 'D'",
       "'A' ESC '$B' '0!0!' ESC '(J' ' B' B1 B2 'D'"},
      {Routine::SJISToJIS, BJ, true, "'A' 88 9F 88 9F ' B' B1 B2 'D'",
       "'A' ESC '$B' '0!0!' ESC '(J' ' B' SO '12' SI 'D'"},
      {Routine::SJISToJIS, BJ, true, "88 9F B1 88 9F",
       "ESC '$B' '0!' ESC '(J' SO '1' SI ESC '$B' '0!' ESC '(J'"},
      {Routine::SJISToJIS, BJ, true, "B1", "SO '1' SI"},
      {Routine::SJISToJIS, BJ, false, "88 9F", "ESC '$B' '0!' ESC '(J'"},
      {Routine::SJISToJIS, BJ, false, "88 9F 81", "ESC '$B' '0!' ESC '(J' 81"},
      {Routine::SJISToJIS, BJ, false, "88 9F 81 0A", "ESC '$B' '0!' 81 0A ESC '(J'"},
      {Routine::SJISToJIS, BJ, false, "88 9F FF 80", "ESC '$B' '0!' ESC '(J' FF 80"},
      {Routine::SJISToJIS, KH, false, "'A' 88 9F 'B'", "'A' ESC 'K' '0!' ESC 'H' 'B'"},
      {Routine::SJISToJIS, BB, false, "'A' 88 9F 'B'", "'A' ESC '$B' '0!' ESC '(B' 'B'"},
      {Routine::SJISToJIS, AtJ, false, "'A' 88 9F 'B'", "'A' ESC '$@' '0!' ESC '(J' 'B'"},
      {Routine::SJISToJIS, Four, false, "'A' 88 9F 'B'", "'A' ESC '$B' '0!' ESC '(J' 'B'"},
      {Routine::JISToJIS, Last, false, "'A' ESC 'K' '0!' ESC 'H'", "'A' ESC '$B' '0!' ESC '(J'"},
      {Routine::EUCToJIS, BJ, true, "'A' B0 A1 ' ' 8E B1 'Z'",
       "'A' ESC '$B' '0!' ESC '(J' ' ' SO '1' SI 'Z'"},
      {Routine::EUCToJIS, BJ, false, "'A' B0 A1 ' ' 8E B1 'Z'",
       "'A' ESC '$B' '0!' ESC '(J' ' ' B1 'Z'"},
      {Routine::EUCToJIS, BJ, false, "B0 A1 8E", "ESC '$B' '0!' ESC '(J'"},
      {Routine::EUCToJIS, BJ, true, "8E B1 8E", "SO '1' SI"},
      {Routine::EUCToJIS, BJ, false, "B0 A1 8F B0", "ESC '$B' '0!' ESC '(J' B0"},
      {Routine::EUCToJIS, BJ, false, "B0 A1 8F", "ESC '$B' '0!' ESC '(J'"},
      {Routine::EUCToJIS, BJ, false, "B0 A1 B0", "ESC '$B' '0!' ESC '(J' B0"},
      {Routine::EUCToJIS, BJ, false, "B0 41", "ESC '$B' B0 41 ESC '(J'"},
      {Routine::EUCToJIS, KH, true, "B0 A1 80", "ESC 'K' '0!' ESC 'H' 80"},
  };
  Check(std::begin(cases), std::end(cases));
}

// The user-defined area of Shift-JIS has no row in EUC or JIS, and the supplementary kanji
// of EUC no place in Shift-JIS or JIS: a whole such character stops the routine. The IBM
// kanji (髙 FB FC, 﨑 FA B1) take their NEC-selected twins' cells (Shift-JIS EE E0, ED 95).
// A prefix cut off by the end is copied as before.
TEST_F(StreamRoutinesTest, StopsAtACharacterTheOutputCodeCannotHold) {
  constexpr auto kStop = StreamResult::Unrepresentable;
  const Case cases[] = {
      {Routine::SJISToEUC, BJ, false, "'A' 88 9F FB FC 'B'", "'A' B0 A1 FC E2 'B'"},
      {Routine::SJISToEUC, BJ, false, "F0 40 FC FC", "", kStop},
      {Routine::SJISToEUC, BJ, false, "FA B1", "F9 F5"},
      {Routine::SJISToJIS, BJ, false, "FB FC", "ESC '$B' '|b' ESC '(J'"},
      {Routine::SJISToEUC, BJ, false, "'x' FC", "'x' FC"},
      {Routine::SJISToEUC, BJ, false, "F0 0A FC 7F", "F0 0A FC 7F"},
      {Routine::SJISToEUC, BJ, false, "EF FC", "FE FE"},
      {Routine::SJISToJIS, BJ, false, "'A' 88 9F F0 40", "'A' ESC '$B' '0!'", kStop},
      {Routine::SJISToJIS, BJ, false, "FC 0A", "ESC '$B' FC 0A ESC '(J'"},
      {Routine::EUCToSJIS, BJ, false, "'A' B0 A1 8F B0 A1 'Z'", "'A' 88 9F", kStop},
      {Routine::EUCToSJIS, BJ, false, "8F A1 A1", "", kStop},
      {Routine::EUCToJIS, BJ, false, "'A' B0 A1 8F B0 A1 'Z'", "'A' ESC '$B' '0!' ESC '(J'", kStop},
      {Routine::EUCToJIS, BJ, true, "8E B1 8F B0", "SO '1' SI B0"},
      {Routine::JISToSJIS, BJ, false, "ESC '$B' '~~' ESC '(B'", "EF FC"},
  };
  Check(std::begin(cases), std::end(cases));
}

TEST_F(StreamRoutinesTest, ReadingJIS) {
  const Case cases[] = {
      {Routine::JISToSJIS, BJ, false, "'A' ESC '$B' '0!' ESC '(J' 'B'", "'A' 88 9F 'B'"},
      {Routine::JISToSJIS, BJ, false, "ESC 'K' '0!' ESC 'H' 'x'", "88 9F 'x'"},
      {Routine::JISToSJIS, BJ, true, "ESC '$B' '0!' ESC '(B' SO '1' SI 'Z'", "88 9F B1 'Z'"},
      {Routine::JISToSJIS, BJ, false, "ESC '$B' '0!' ESC '(B' SO '1' SI 'Z'",
       "88 9F SO '1' SI 'Z'"},
      {Routine::JISToSJIS, BJ, false, "ESC '(I' 'x' ESC '$A' 'y'", "ESC '(I' 'x' ESC '$A' 'y'"},
      {Routine::JISToSJIS, BJ, false, "ESC", "ESC"},
      {Routine::JISToSJIS, BJ, false, "ESC '$'", "ESC '$'"},
      {Routine::JISToSJIS, BJ, false, "ESC '('", "ESC '('"},
      {Routine::JISToSJIS, BJ, false, "ESC '$B' '0'", "'0'"},
      {Routine::JISToSJIS, BJ, false, "ESC '$B' '0' 0A '!'", "'0' 0A '!'"},
      {Routine::JISToSJIS, BJ, false, "ESC '$B' '0' 7F", "88 FD"},
      {Routine::JISToSJIS, BJ, false, "ESC '$B' '0!' 0A '0!'", "88 9F 0A 88 9F"},
      {Routine::JISToSJIS, BJ, false, "ESC '$B' B0 A1 ESC '(J'", "B0 A1"},
      {Routine::JISToSJIS, BJ, false, "ESC '$@' '0!' ESC '(H' 'x'", "88 9F 'x'"},
      {Routine::JISToSJIS, BJ, false, "ESC ESC '$B' '0!'", "ESC 88 9F"},
      {Routine::JISToSJIS, BJ, false, "B1 'a'", "B1 'a'"},
      {Routine::JISToEUC, BJ, false, "'A' ESC '$B' '0!' ESC '(J' 'B' B1", "'A' B0 A1 'B' 8E B1"},
      {Routine::JISToEUC, BJ, true, "ESC '$B' '0!' ESC '(B' SO '1' SI 'Z'", "B0 A1 8E B1 'Z'"},
      {Routine::JISToEUC, BJ, false, "ESC '$B' '0' 7F", "'0' 7F"},
      {Routine::JISToEUC, BJ, false, "ESC '$B' '0' ' ' '!'", "'0' ' ' '!'"},
      {Routine::JISToEUC, BJ, false, "SO '1' SI", "SO '1' SI"},
      {Routine::JISToJIS, BJ, false, "'A' ESC '$B' '0!' ESC '(J' 'B'",
       "'A' ESC '$B' '0!' ESC '(J' 'B'"},
      {Routine::JISToJIS, KH, false, "'A' ESC '$B' '0!' ESC '(J' 'B'",
       "'A' ESC 'K' '0!' ESC 'H' 'B'"},
      {Routine::JISToJIS, BJ, false, "'A' ESC '$B' '0!'", "'A' ESC '$B' '0!' ESC '(J'"},
      {Routine::JISToJIS, BJ, false, "ESC '$B' '0!0!' 0A '0!'",
       "ESC '$B' '0!0!' ESC '(J' 0A ESC '$B' '0!' ESC '(J'"},
      {Routine::JISToJIS, BJ, false, "SO '1' SI 'Z' B1", "B1 'Z' B1"},
      {Routine::JISToJIS, BJ, true, "SO '1' SI 'Z' B1", "SO '1' SI 'Z' SO '1' SI"},
      {Routine::JISToJIS, BJ, false, "ESC '$B' '0!' ESC '(I' 'x'",
       "ESC '$B' '0!' ESC '(J' ESC '(' ESC '$B' 'Ix' ESC '(J'"},
      {Routine::JISToJIS, BJ, false, "ESC '$B' ESC '(B' 'a'", "'a'"},
      {Routine::JISToJIS, BJ, false, "ESC '$B' '0!' ESC", "ESC '$B' '0!' ESC '(J' ESC"},
      {Routine::JISToJIS, BJ, false, "ESC '$B' '0!' ESC '$'", "ESC '$B' '0!' ESC '(J' ESC '$'"},
      {Routine::JISToJIS, BJ, false, "ESC '$B' '0!' '0'", "ESC '$B' '0!' ESC '(J' '0'"},
      {Routine::JISToJIS, BJ, false, "ESC '$B' '0!' '0' 0A", "ESC '$B' '0!' ESC '(J' '0' 0A"},
      {Routine::JISToJIS, BJ, true, "SO '1' ESC '$B' '0!'", "SO '1' SI ESC '$B' '0!' ESC '(J'"},
      {Routine::JISToJIS, BJ, true, "SO '1' 0A", "SO '1' SI 0A"},
  };
  Check(std::begin(cases), std::end(cases));
}

TEST(ConvertStreamTest, PicksTheRoutineForEachPairOfCodes) {
  // Every routine turns this input into something of its own, so a wrong pick shows.
  const std::string input = Bytes("88 9F B0 A1 ESC '$B' '0!' ESC '(J'");
  const Routine all[] = {Routine::Copy,      Routine::SJISToEUC, Routine::EUCToSJIS,
                         Routine::SJISToJIS, Routine::EUCToJIS,  Routine::JISToSJIS,
                         Routine::JISToEUC,  Routine::JISToJIS};
  for (const Routine a : all) {
    for (const Routine b : all) {
      if (a != b) {
        ASSERT_NE(RunRoutine(a, input, true), RunRoutine(b, input, true));
      }
    }
  }
  const struct {
    KanjiCode detected;
    std::uint8_t output;
    Routine routine;
  } cases[] = {
      {KanjiCode::ShiftJIS, 0, Routine::Copy},
      {KanjiCode::ShiftJIS, 1, Routine::SJISToEUC},
      {KanjiCode::ShiftJIS, 2, Routine::SJISToJIS},
      {KanjiCode::ShiftJIS, 3, Routine::Copy},
      {KanjiCode::EUC, 0, Routine::EUCToSJIS},
      {KanjiCode::EUC, 1, Routine::Copy},
      {KanjiCode::EUC, 2, Routine::EUCToJIS},
      {KanjiCode::JIS, 0, Routine::JISToSJIS},
      {KanjiCode::JIS, 1, Routine::JISToEUC},
      {KanjiCode::JIS, 2, Routine::JISToJIS},
      {KanjiCode::JIS, 7, Routine::Copy},
      {KanjiCode::Ascii, 1, Routine::Copy},
      {KanjiCode::Unknown, 2, Routine::Copy},
      {KanjiCode::Binary, 0, Routine::Copy},
      {KanjiCode{0}, 1, Routine::Copy},
  };
  for (const auto& c : cases) {
    MemoryStream s(input);
    ConvertStream(s, c.detected, c.output, true, EscapeSequenceOf(EscapeSequenceSet::EscBJ));
    EXPECT_EQ(Notation(s.Output()), Notation(RunRoutine(c.routine, input, true)))
        << static_cast<int>(c.detected) << " to " << int(c.output);
  }
}

TEST(PairArithmeticTest, MapsTheStandardPairs) {
  const struct {
    BytePair sjis;
    BytePair jis;
  } cases[] = {
      {{0x88, 0x9F}, {0x30, 0x21}}, {{0x81, 0x40}, {0x21, 0x21}}, {{0x81, 0x9F}, {0x22, 0x21}},
      {{0x81, 0x7E}, {0x21, 0x5F}}, {{0x81, 0x80}, {0x21, 0x60}}, {{0x9F, 0xFC}, {0x5E, 0x7E}},
      {{0xE0, 0x40}, {0x5F, 0x21}}, {{0xEA, 0xA4}, {0x74, 0x26}},
  };
  for (const auto& c : cases) {
    const BytePair jis = ShiftJISPairToJIS(c.sjis.first, c.sjis.second);
    EXPECT_EQ(jis.first, c.jis.first);
    EXPECT_EQ(jis.second, c.jis.second);
    const BytePair sjis = JISPairToShiftJIS(c.jis.first, c.jis.second);
    EXPECT_EQ(sjis.first, c.sjis.first);
    EXPECT_EQ(sjis.second, c.sjis.second);
  }
  const BytePair high = ShiftJISPairToJIS(0xF0, 0x40);
  EXPECT_EQ(high.first, 0x7F);
  EXPECT_EQ(high.second, 0x21);
}

TEST(PairArithmeticTest, TheEUCShortcutAgreesOnEveryPair) {
  for (unsigned b = 0xA1; b <= 0xFE; ++b) {
    for (unsigned c = 0xA1; c <= 0xFE; ++c) {
      const BytePair shortcut = EUCPairToShiftJIS(b, c);
      const BytePair general = JISPairToShiftJIS(b & 0x7F, c & 0x7F);
      ASSERT_EQ(shortcut.first, general.first) << b << " " << c;
      ASSERT_EQ(shortcut.second, general.second) << b << " " << c;
    }
  }
}

}  // namespace
}  // namespace mxt::engine
