#pragma once

#include <cstdint>

namespace mxt::engine {

struct StreamOptions {
  std::uint8_t outputKanjiCode;  // 0 Shift-JIS, 1 EUC, 2 JIS
  bool sevenBitMode;
  bool removeCtrlZ;
};

// With the first input block read and classified, and DetectedCode and NewlineMode
// set for this file: converts the whole input into the output file.
void StreamInputToOutput(const StreamOptions& options);

}  // namespace mxt::engine
