#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mxt::app {

// The dropped-files block a second start hands its files over in: a 20-byte header
// (offset of the names, drop point x and y, non-client flag, wide-character flag, each
// 32 bits little-endian), then every name followed by a 0 byte, and one more 0 byte.
using DropBlock = std::vector<std::uint8_t>;

// A block holds at most this many bytes.
inline constexpr std::size_t kDropBlockLimit = 65535;

// An empty block: the header and the list's final 0 byte.
DropBlock MakeDropBlock(std::int32_t x, std::int32_t y, bool nonClient);
// Appends one name; false, with the block unchanged, when it would pass the limit.
bool AppendDropName(DropBlock& block, std::string_view name);

// The names in as many blocks, in order, as they need. Raises DragDropError when a name
// does not fit in a block of its own.
std::vector<DropBlock> MakeDropBlocks(const std::vector<std::string>& names);

// The names of a block that came from elsewhere, once every part of it is checked: its
// length and header, each name ended within the block, every name an absolute path, the
// list ended. Nothing for a block that fails a check.
std::optional<std::vector<std::string>> ReadDropBlock(std::span<const std::uint8_t> block);

}  // namespace mxt::app
