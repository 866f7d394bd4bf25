#pragma once

#include <cstdint>

#include "engine/KanjiCode.h"

namespace mxt::engine {

struct StreamOptions {
  std::uint8_t outputKanjiCode;  // 0 Shift-JIS, 1 EUC, 2 JIS
  bool sevenBitMode;
  bool removeCtrlZ;
  // Where this file's output begins in the output file: a Ctrl-Z before it is not its own.
  std::int64_t outputStart = 0;
};

// With the first input block read and classified, and DetectedCode and NewlineMode
// set for this file: converts the whole input into the output file. A conversion that
// stops at a character the output code cannot hold leaves its output unfinished.
StreamResult StreamInputToOutput(const StreamOptions& options);

}  // namespace mxt::engine
