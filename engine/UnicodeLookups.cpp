#include "engine/UnicodeLookups.h"

#include <algorithm>
#include <cstring>

#include "engine/ByteClasses.h"
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
  // Below U+0800 a character takes two UTF-8 bytes: the fast path leaves those to the
  // byte-wise routine, and so turns a three-byte form of them (overlong) away too.
  for (std::int32_t cp = 0x800; cp < static_cast<std::int32_t>(kPairs); ++cp) {
    const std::uint16_t cell = CellOf(blockOf, cells, cp);
    if (cell == 0 || (cell & tables::kSupplementary)) continue;
    const auto j1 = static_cast<std::uint8_t>((cell >> 8) + 0x20);
    const auto j2 = static_cast<std::uint8_t>((cell & 0xFF) + 0x20);
    const BytePair p =
        euc ? BytePair{static_cast<std::uint8_t>(j1 | 0x80), static_cast<std::uint8_t>(j2 | 0x80)}
            : JISPairToShiftJIS(j1, j2);
    const std::uint8_t bytes[2] = {p.first, p.second};
    std::memcpy(&table[static_cast<std::size_t>(cp)], bytes, sizeof bytes);
  }
  return table.get();
}

const std::uint16_t* UnicodeLookups::Plane1(CharacterMapping mapping) {
  if (mapping == CharacterMapping::Windows) return tables::kPlane1Windows;
  if (plane1JIS_) return plane1JIS_.get();
  constexpr std::size_t kPlane1Cells = tables::kPlane1Rows * tables::kCells;
  plane1JIS_ = std::make_unique<std::uint16_t[]>(kPlane1Cells);
  std::copy_n(tables::kPlane1Windows, kPlane1Cells, plane1JIS_.get());
  for (const tables::LookAlikeCell& l : tables::kJISLookAlikes)
    plane1JIS_[(l.row - 1) * tables::kCells + (l.cell - 1)] = l.jis;
  return plane1JIS_.get();
}

const std::uint32_t* UnicodeLookups::Decoder(KanjiCode code, CharacterMapping mapping) {
  const bool euc = code == KanjiCode::EUC;
  auto& table = decoders_[euc][mapping == CharacterMapping::JIS];
  if (table) return table.get();
  table = std::make_unique<std::uint32_t[]>(kPairIndices);
  const std::uint16_t* plane1 = Plane1(mapping);
  for (unsigned first = 0x81; first <= 0xFE; ++first) {
    for (unsigned second = 0x40; second <= 0xFF; ++second) {
      const bool pair = euc ? IsEUCByte(first) && IsEUCByte(second)
                            : IsShiftJISLead(first) && IsShiftJISTrail(second);
      if (!pair) continue;
      const BytePair j = euc ? BytePair{static_cast<std::uint8_t>(first & 0x7F),
                                        static_cast<std::uint8_t>(second & 0x7F)}
                             : ShiftJISPairToJIS(static_cast<std::uint8_t>(first),
                                                 static_cast<std::uint8_t>(second));
      const std::uint32_t cp = Plane1Character(plane1, j.first, j.second);
      if (cp < 0x800) continue;
      const std::uint8_t utf8[4] = {static_cast<std::uint8_t>(0xE0 | (cp >> 12)),
                                    static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F)),
                                    static_cast<std::uint8_t>(0x80 | (cp & 0x3F)), 0};
      std::memcpy(&table[PairIndex(first, second)], utf8, sizeof utf8);
    }
  }
  return table.get();
}

}  // namespace mxt::engine
