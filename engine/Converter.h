#pragma once

#include <cstdint>
#include <span>

#include "engine/BlockWriter.h"
#include "engine/ConversionBuffers.h"
#include "engine/KanjiCode.h"

namespace mxt::engine {

struct StreamOptions {
  std::uint8_t outputKanjiCode;  // 0 Shift-JIS, 1 EUC, 2 JIS
  bool sevenBitMode;
  bool removeCtrlZ;
  // Where this file's output begins in the output file: a Ctrl-Z before it is not its own.
  std::int64_t outputStart = 0;
  // How JIS output enters and leaves kanji mode.
  EscapeSequenceSet escapeSequence = EscapeSequenceSet::EscBJ;
};

// Streams one file after another from one kanji code into another, through the buffers it
// owns. Each output block is written while the next ones are converted.
class Converter {
 public:
  ConversionBuffers& Buffers() { return buffers_; }
  const ConversionBuffers& Buffers() const { return buffers_; }

  // Reads the next input block; true when there was nothing more to read.
  bool RefillInput();
  // Has the buffered output written, after newline conversion, to the output file, and
  // goes on in the next output block.
  void FlushOutput();
  // Writes the buffered output as the last block of the file, once every block before it
  // is written.
  void FinishOutput();
  // Cuts one Ctrl-Z off the very end of the output file, when it lies at or after `from`.
  void RemoveTrailingCtrlZ(std::int64_t from = 0);

  // With the first input block read and classified, and DetectedCode and NewlineMode set
  // for this file: converts the whole input into the output file. A conversion that stops
  // at a character the output code cannot hold leaves its output unfinished. Whatever it
  // ends with, nothing is written to the output file after it returns.
  StreamResult StreamInputToOutput(const StreamOptions& options);

 private:
  // The buffered output with its newlines rewritten; empty when nothing is buffered.
  std::span<const std::uint8_t> OutputBlock();

  ConversionBuffers buffers_;
  BlockWriter writer_;
};

}  // namespace mxt::engine
