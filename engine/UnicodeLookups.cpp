#include "engine/UnicodeLookups.h"

#include "engine/CellLookup.h"
#include "engine/CharacterTables.h"
#include "engine/PairArithmetic.h"

namespace mxt::engine {

namespace {

constexpr std::size_t kPairs = 0x10000;

}  // namespace

const std::uint16_t* UnicodeLookups::Encoder(std::uint8_t outputCode) {
  const bool euc = outputCode == kOutputEUC;
  auto& table = encoders_[euc];
  if (table) return table.get();
  table = std::make_unique<std::uint16_t[]>(kPairs);
  const std::uint16_t* blockOf = euc ? tables::kEUCBlockOf : tables::kShiftJISBlockOf;
  const std::uint16_t* cells = euc ? tables::kEUCCells : tables::kShiftJISCells;
  for (std::int32_t cp = 0x80; cp < static_cast<std::int32_t>(kPairs); ++cp) {
    const std::uint16_t cell = CellOf(blockOf, cells, cp);
    if (cell == 0 || (cell & tables::kSupplementary)) continue;
    const auto j1 = static_cast<std::uint8_t>((cell >> 8) + 0x20);
    const auto j2 = static_cast<std::uint8_t>((cell & 0xFF) + 0x20);
    const BytePair p =
        euc ? BytePair{static_cast<std::uint8_t>(j1 | 0x80), static_cast<std::uint8_t>(j2 | 0x80)}
            : JISPairToShiftJIS(j1, j2);
    table[static_cast<std::size_t>(cp)] = static_cast<std::uint16_t>(p.first << 8 | p.second);
  }
  return table.get();
}

}  // namespace mxt::engine
