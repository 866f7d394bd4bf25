#include "engine/StreamConversion.h"

#include "engine/BufferedStream.h"
#include "engine/StreamRoutines.h"

namespace mxt::engine {

namespace {

// Flattened so that the routine inlines here: the stream never leaves this frame,
// and its cursors stay in registers through the per-byte loop.
[[gnu::flatten]] StreamResult ConvertBufferedStream(KanjiCode detected,
                                                    std::uint8_t outputKanjiCode,
                                                    bool sevenBitMode) {
  BufferedStream stream;
  return ConvertStream(stream, detected, outputKanjiCode, sevenBitMode);
}

}  // namespace

StreamResult StreamInputToOutput(const StreamOptions& options) {
  Buffers.PendingCR = false;
  Buffers.OutputCursor = Buffers.OutputBuffer.get();
  const StreamResult result =
      ConvertBufferedStream(Buffers.DetectedCode, options.outputKanjiCode, options.sevenBitMode);
  if (result != StreamResult::Complete) return result;
  FlushOutput();
  if (options.removeCtrlZ) RemoveTrailingCtrlZ(options.outputStart);
  return result;
}

}  // namespace mxt::engine
