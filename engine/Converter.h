#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "engine/BlockReader.h"
#include "engine/BlockWriter.h"
#include "engine/ConversionBuffers.h"
#include "engine/KanjiCode.h"
#include "engine/TextPositionCounter.h"
#include "engine/UnicodeRoutines.h"

namespace mxt::engine {

struct StreamOptions {
  std::uint8_t outputKanjiCode;  // 0 Shift-JIS, 1 EUC, 2 JIS, 3 UTF-8
  bool sevenBitMode;
  bool removeCtrlZ;
  // Where this file's output begins in the output file: a Ctrl-Z before it is not its own,
  // and only the output file's very start takes a byte-order mark.
  std::int64_t outputStart = 0;
  // How JIS output enters and leaves kanji mode.
  EscapeSequenceSet escapeSequence = EscapeSequenceSet::EscBJ;
  // To and from UTF-8: the mapping, and what becomes of a character with no place.
  UnicodeOptions unicode = {};
  // UTF-8 output begins with a byte-order mark.
  bool byteOrderMark = false;
  // Counts lines as the input is read, to tell where the first character with no place
  // stands: for input that cannot be read a second time.
  bool locateUnconvertibles = false;
};

// Streams one file after another from one kanji code into another, through the buffers it
// owns. Each output block is written, and through Unicode the next input blocks are read,
// while the blocks between them are converted.
class Converter {
 public:
  ConversionBuffers& Buffers() { return buffers_; }
  const ConversionBuffers& Buffers() const { return buffers_; }

  // Reads the next input block, and tells BlockRead; true when there was nothing more to read.
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
  // What the last conversion met that the output code has no place for.
  const UnconvertibleReport& Unconvertibles() const { return unconvertibles_; }
  UnicodeLookups& Lookups() { return lookups_; }

 private:
  std::span<const std::uint8_t> ReadInputBlock();
  // The buffered output with its newlines rewritten; empty when nothing is buffered.
  std::span<const std::uint8_t> OutputBlock();
  // A UTF-8 input's byte-order mark is not text: no code but UTF-8 has a place for it, and
  // UTF-8 output has one exactly when asked for.
  void SkipByteOrderMark();
  void WriteByteOrderMark();
  // With the input block taken last done with: counts its lines, or finds in it where the
  // first character with no place stands.
  void LocateUnconvertibleInBlock();

  ConversionBuffers buffers_;
  BlockReader reader_;
  BlockWriter writer_;
  UnconvertibleReport unconvertibles_;
  std::optional<TextPositionCounter> lines_;  // while counting lines
  UnicodeLookups lookups_;
};

}  // namespace mxt::engine
