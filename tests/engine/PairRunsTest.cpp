#include "engine/PairRuns.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/PairArithmetic.h"

namespace mxt::engine {
namespace {

TEST(PairRunsTest, ConvertsTheWholeRunAsThePairArithmeticDoes) {
  std::mt19937 random(7);
  for (const PairForm form : {PairForm::EUC, PairForm::JIS}) {
    const unsigned low = form == PairForm::EUC ? 0xA1 : 0x21;
    std::uniform_int_distribution<unsigned> pick(low, low + 0x5D);
    for (std::size_t stop = 0; stop <= 64; ++stop) {
      std::vector<std::uint8_t> in(64);
      for (auto& b : in) b = static_cast<std::uint8_t>(pick(random));
      if (stop < in.size()) in[stop] = form == PairForm::EUC ? 0x41 : 0x0A;  // ends the run
      std::vector<std::uint8_t> out(64, 0);
      const std::size_t done = ConvertPairRunsToShiftJIS(in.data(), out.data(), in.size(), form);

      ASSERT_EQ(done % 2, 0u);
      ASSERT_LE(done, stop);
      if (stop + 16 <= in.size()) {
        EXPECT_EQ(done, stop & ~std::size_t{1}) << "stop " << stop;
      }
      for (std::size_t i = 0; i < done; i += 2) {
        const BytePair expected = JISPairToShiftJIS(in[i] & 0x7F, in[i + 1] & 0x7F);
        ASSERT_EQ(out[i], expected.first) << i;
        ASSERT_EQ(out[i + 1], expected.second) << i;
      }
    }
  }
}

TEST(PairRunsTest, NeedsRoomForSixteenBytes) {
  const std::vector<std::uint8_t> in(15, 0xB0);
  std::vector<std::uint8_t> out(15);
  EXPECT_EQ(ConvertPairRunsToShiftJIS(in.data(), out.data(), in.size(), PairForm::EUC), 0u);
}

}  // namespace
}  // namespace mxt::engine
