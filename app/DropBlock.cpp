#include "app/DropBlock.h"

#include <algorithm>

#include "app/DragDropError.h"

namespace mxt::app {

namespace {

constexpr std::size_t kHeaderSize = 20;

void PutWord(DropBlock& block, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t WordAt(std::span<const std::uint8_t> block, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | block[at + static_cast<std::size_t>(i)];
  return value;
}

}  // namespace

DropBlock MakeDropBlock(std::int32_t x, std::int32_t y, bool nonClient) {
  DropBlock block(kHeaderSize + 1, 0);
  PutWord(block, 0, kHeaderSize);
  PutWord(block, 4, static_cast<std::uint32_t>(x));
  PutWord(block, 8, static_cast<std::uint32_t>(y));
  PutWord(block, 12, nonClient ? 1 : 0);
  return block;
}

bool AppendDropName(DropBlock& block, std::string_view name) {
  if (block.size() + name.size() + 1 > kDropBlockLimit) return false;
  // The name and its 0 byte go over the list's final 0 byte, which moves behind them.
  block.insert(block.end() - 1, name.begin(), name.end());
  block.insert(block.end() - 1, std::uint8_t{0});
  return true;
}

std::vector<DropBlock> MakeDropBlocks(const std::vector<std::string>& names) {
  std::vector<DropBlock> blocks;
  for (const std::string& name : names) {
    if (!blocks.empty() && AppendDropName(blocks.back(), name)) continue;
    blocks.push_back(MakeDropBlock(0, 0, true));
    if (!AppendDropName(blocks.back(), name)) throw DragDropError();
  }
  return blocks;
}

std::optional<std::vector<std::string>> ReadDropBlock(std::span<const std::uint8_t> block) {
  if (block.size() < kHeaderSize + 1 || block.size() > kDropBlockLimit) return std::nullopt;
  const std::uint32_t offset = WordAt(block, 0);
  const std::uint32_t wide = WordAt(block, 16);
  if (offset < kHeaderSize || offset >= block.size() || wide != 0) return std::nullopt;
  std::vector<std::string> names;
  std::size_t at = offset;
  for (;;) {
    const auto end = std::find(block.begin() + static_cast<std::ptrdiff_t>(at), block.end(), 0);
    if (end == block.end()) return std::nullopt;  // a name not ended within the block
    const auto stop = static_cast<std::size_t>(end - block.begin());
    if (stop == at) break;  // the list's end
    if (block[at] != '/') return std::nullopt;
    names.emplace_back(block.begin() + static_cast<std::ptrdiff_t>(at), end);
    at = stop + 1;
  }
  return names;
}

}  // namespace mxt::app
