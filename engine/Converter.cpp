#include "engine/Converter.h"

#include "engine/BufferedStream.h"
#include "engine/ByteClasses.h"
#include "engine/EscapeSequence.h"
#include "engine/NewlineConversion.h"
#include "engine/StreamRoutines.h"

namespace mxt::engine {

namespace {

// Flattened so that the routine inlines here: the stream never leaves this frame,
// and its cursors stay in registers through the per-byte loop.
[[gnu::flatten]] StreamResult ConvertBufferedStream(Converter& converter,
                                                    const StreamOptions& options) {
  BufferedStream stream(converter);
  return ConvertStream(stream, converter.Buffers().DetectedCode, options.outputKanjiCode,
                       options.sevenBitMode, EscapeSequenceOf(options.escapeSequence));
}

}  // namespace

bool Converter::RefillInput() {
  ConversionBuffers& b = buffers_;
  const std::size_t count = b.InputFile->ReadBlock(b.InputBuffer.get(), InputBufferSize);
  b.BytesInLastBlock = static_cast<std::int32_t>(count);
  if (count == 0) return true;
  b.TotalRead += static_cast<std::int64_t>(count);
  b.InputCursor = b.InputBuffer.get();
  b.InputEnd = b.InputCursor + count;
  return false;
}

std::span<const std::uint8_t> Converter::OutputBlock() {
  ConversionBuffers& b = buffers_;
  const auto count = static_cast<std::uint32_t>(b.OutputCursor - b.OutputBuffer);
  if (count == 0) return {};
  switch (b.NewlineMode) {
    case NewlineCode::CRLF:
      return {b.NewlineBuffer,
              ConvertNewlinesToCRLF(b.OutputBuffer, count, b.NewlineBuffer, b.PendingCR)};
    case NewlineCode::LF:
      return {b.NewlineBuffer,
              ConvertNewlinesToByte(b.OutputBuffer, count, kLF, b.NewlineBuffer, b.PendingCR)};
    case NewlineCode::CR:
      return {b.NewlineBuffer,
              ConvertNewlinesToByte(b.OutputBuffer, count, kCR, b.NewlineBuffer, b.PendingCR)};
    default:
      return {b.OutputBuffer, count};
  }
}

void Converter::FlushOutput() {
  const std::span<const std::uint8_t> block = OutputBlock();
  if (block.empty()) return;
  // The next block is free once the writer takes this one: it waits for no more blocks
  // than there are others.
  static_assert(BlockWriter::kQueued < OutputBlocks);
  writer_.Write(*buffers_.OutputFile, block.data(), block.size());
  buffers_.NextOutputBlock();
}

void Converter::FinishOutput() {
  const std::span<const std::uint8_t> block = OutputBlock();
  writer_.WriteLast(*buffers_.OutputFile, block.data(), block.size());
  buffers_.OutputCursor = buffers_.OutputBuffer;
}

void Converter::RemoveTrailingCtrlZ(std::int64_t from) {
  writer_.Finish();
  platform::File& output = *buffers_.OutputFile;
  const std::int64_t size = output.Size();
  if (size <= from) return;
  output.Seek(size - 1);
  std::uint8_t last = 0;
  if (output.ReadBlock(&last, 1) != 1 || last != kCtrlZ) return;
  output.Seek(size - 1);
  output.Truncate();
}

StreamResult Converter::StreamInputToOutput(const StreamOptions& options) {
  buffers_.PendingCR = false;
  buffers_.OutputCursor = buffers_.OutputBuffer;
  StreamResult result;
  try {
    result = ConvertBufferedStream(*this, options);
    // What a stop leaves unconverted is not written; what was written before it may
    // have failed, which says more.
    if (result == StreamResult::Complete) {
      FinishOutput();
    } else {
      writer_.Finish();
    }
  } catch (...) {
    writer_.Abandon();
    throw;
  }
  if (result == StreamResult::Complete && options.removeCtrlZ)
    RemoveTrailingCtrlZ(options.outputStart);
  return result;
}

}  // namespace mxt::engine
