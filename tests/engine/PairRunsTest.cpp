#include "engine/PairRuns.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/ByteClasses.h"
#include "engine/PairArithmetic.h"

namespace mxt::engine {
namespace {

// A random character of the run's input code, and what the byte-wise routine makes of it.
struct Sample {
  BytePair in;
  BytePair out;
};

Sample RandomPair(PairRun run, std::mt19937& random) {
  auto pick = [&](unsigned low, unsigned high) {
    return static_cast<std::uint8_t>(std::uniform_int_distribution<unsigned>(low, high)(random));
  };
  switch (run) {
    case PairRun::EUCToShiftJIS: {
      const BytePair in{pick(0xA1, 0xFE), pick(0xA1, 0xFE)};
      return {in, JISPairToShiftJIS(in.first & 0x7F, in.second & 0x7F)};
    }
    case PairRun::JISToShiftJIS: {
      const BytePair in{pick(0x21, 0x7E), pick(0x21, 0x7E)};
      return {in, JISPairToShiftJIS(in.first, in.second)};
    }
    case PairRun::ShiftJISToEUC: {
      std::uint8_t lead;
      do
        lead = pick(0x81, 0xFC);
      while (!IsShiftJISLead(lead));
      std::uint8_t trail;
      do
        trail = pick(0x40, 0xFC);
      while (!IsShiftJISTrail(trail));
      const BytePair jis = ShiftJISPairToJIS(lead, trail);
      return {{lead, trail},
              {static_cast<std::uint8_t>(jis.first | 0x80),
               static_cast<std::uint8_t>(jis.second | 0x80)}};
    }
  }
  return {};
}

TEST(PairRunsTest, ConvertsTheWholeRunAsTheByteWiseRoutinesDo) {
  std::mt19937 random(7);
  for (const PairRun run :
       {PairRun::EUCToShiftJIS, PairRun::JISToShiftJIS, PairRun::ShiftJISToEUC}) {
    for (std::size_t stop = 0; stop <= 64; ++stop) {
      std::vector<std::uint8_t> in;
      std::vector<std::uint8_t> expected;
      while (in.size() < 64) {
        const Sample sample = RandomPair(run, random);
        in.insert(in.end(), {sample.in.first, sample.in.second});
        expected.insert(expected.end(), {sample.out.first, sample.out.second});
      }
      // A byte the run does not take: an EUC single shift, FD (neither lead nor trail in
      // Shift-JIS), a newline in JIS.
      const std::uint8_t end = run == PairRun::EUCToShiftJIS   ? 0x8E
                               : run == PairRun::ShiftJISToEUC ? 0xFD
                                                               : 0x0A;
      if (stop < in.size()) in[stop] = end;
      std::vector<std::uint8_t> out(64, 0);
      const std::size_t done = ConvertPairRuns(in.data(), out.data(), in.size(), run);

      ASSERT_EQ(done % 2, 0u);
      ASSERT_LE(done, stop);
      if (stop + 16 <= in.size()) {
        EXPECT_EQ(done, stop & ~std::size_t{1}) << "run " << int(run) << ", stop " << stop;
      }
      for (std::size_t i = 0; i < done; ++i) {
        ASSERT_EQ(out[i], expected[i]) << "run " << int(run) << ", byte " << i;
      }
    }
  }
}

TEST(PairRunsTest, CopiesTheBytesBelow0x80BetweenRunsOfShiftJISOrEUC) {
  std::mt19937 random(11);
  for (const PairRun run : {PairRun::EUCToShiftJIS, PairRun::ShiftJISToEUC}) {
    std::vector<std::uint8_t> in;
    std::vector<std::uint8_t> expected;
    auto pairs = [&](int count) {
      for (int i = 0; i < count; ++i) {
        const Sample sample = RandomPair(run, random);
        in.insert(in.end(), {sample.in.first, sample.in.second});
        expected.insert(expected.end(), {sample.out.first, sample.out.second});
      }
    };
    auto text = [&](const std::string& ascii) {
      in.insert(in.end(), ascii.begin(), ascii.end());
      expected.insert(expected.end(), ascii.begin(), ascii.end());
    };
    pairs(8);
    text("abc");
    pairs(16);
    text("\n");
    pairs(9);
    std::vector<std::uint8_t> out(in.size());
    EXPECT_EQ(ConvertPairRuns(in.data(), out.data(), in.size(), run), in.size() - 2);
    out.resize(in.size() - 2);
    expected.resize(in.size() - 2);
    EXPECT_EQ(out, expected) << int(run);
  }
}

TEST(PairRunsTest, NeedsRoomForSixteenBytes) {
  const std::vector<std::uint8_t> in(15, 0xB0);
  std::vector<std::uint8_t> out(15);
  EXPECT_EQ(ConvertPairRuns(in.data(), out.data(), in.size(), PairRun::EUCToShiftJIS), 0u);
}

TEST(PairRunsTest, StopsAtAShiftJISByteThatIsNoLeadOrNoTrail) {
  // 88 9F, then A0 (a katakana, not a lead), then 88 7F (no trail).
  for (const std::uint8_t bad : {std::uint8_t{0xA0}, std::uint8_t{0x7F}}) {
    std::vector<std::uint8_t> in;
    for (int i = 0; i < 16; ++i)
      in.insert(in.end(), {0x88, 0x9F});
    in[bad == 0xA0 ? 6 : 7] = bad;
    std::vector<std::uint8_t> out(in.size());
    EXPECT_EQ(ConvertPairRuns(in.data(), out.data(), in.size(), PairRun::ShiftJISToEUC), 6u);
  }
}

}  // namespace
}  // namespace mxt::engine
