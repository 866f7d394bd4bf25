#include "engine/StreamConversion.h"

#include "engine/BufferedStream.h"
#include "engine/StreamRoutines.h"

namespace mxt::engine {

namespace {

// Flattened so that the routine inlines here: the stream never leaves this frame,
// and its cursors stay in registers through the per-byte loop.
[[gnu::flatten]] void ConvertBufferedStream(KanjiCode detected, std::uint8_t outputKanjiCode,
                                            bool sevenBitMode) {
  BufferedStream stream;
  ConvertStream(stream, detected, outputKanjiCode, sevenBitMode);
}

}  // namespace

void StreamInputToOutput(const StreamOptions& options) {
  Buffers.PendingCR = false;
  Buffers.OutputCursor = Buffers.OutputBuffer.get();
  ConvertBufferedStream(Buffers.DetectedCode, options.outputKanjiCode, options.sevenBitMode);
  FlushOutput();
  if (options.removeCtrlZ) RemoveTrailingCtrlZ();
}

}  // namespace mxt::engine
