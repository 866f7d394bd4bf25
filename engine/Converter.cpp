#include "engine/Converter.h"

#include <algorithm>
#include <iterator>

#include "engine/BufferedStream.h"
#include "engine/ByteClasses.h"
#include "engine/EscapeSequence.h"
#include "engine/NewlineConversion.h"
#include "engine/StreamRoutines.h"

namespace mxt::engine {

namespace {

bool ThroughUnicode(KanjiCode detected, std::uint8_t outputCode) {
  return detected == KanjiCode::UTF8 || outputCode == kOutputUTF8;
}

// Flattened so that the routine inlines here: the stream never leaves this frame,
// and its cursors stay in registers through the per-byte loop.
[[gnu::flatten]] StreamResult ConvertBufferedStream(Converter& converter,
                                                    const StreamOptions& options,
                                                    UnconvertibleReport& report) {
  BufferedStream stream(converter);
  const KanjiCode detected = converter.Buffers().DetectedCode;
  const EscapeSequence escapes = EscapeSequenceOf(options.escapeSequence);
  if (ThroughUnicode(detected, options.outputKanjiCode)) {
    return ConvertUnicodeStream(stream, detected, options.outputKanjiCode, options.sevenBitMode,
                                escapes, options.unicode, converter.Lookups(), report);
  }
  Misfits misfits(options.unicode.unconvertible, report);
  return ConvertStream(stream, detected, options.outputKanjiCode, options.sevenBitMode, escapes,
                       &misfits);
}

constexpr std::uint8_t kByteOrderMark[] = {0xEF, 0xBB, 0xBF};

}  // namespace

std::span<const std::uint8_t> Converter::ReadInputBlock() {
  if (reader_.Reading()) return reader_.Next();
  std::uint8_t* block = buffers_.InputBuffer.get();
  return {block, buffers_.InputFile->ReadBlock(block, InputBufferSize)};
}

bool Converter::RefillInput() {
  if (lines_) LocateUnconvertibleInBlock();
  ConversionBuffers& b = buffers_;
  const std::span<const std::uint8_t> block = ReadInputBlock();
  b.BytesInLastBlock = static_cast<std::int32_t>(block.size());
  if (block.empty()) return true;
  b.TotalRead += static_cast<std::int64_t>(block.size());
  b.InputCursor = block.data();
  b.InputEnd = block.data() + block.size();
  if (b.BlockRead) b.BlockRead(b.TotalRead);
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

void Converter::SkipByteOrderMark() {
  ConversionBuffers& b = buffers_;
  const bool firstBlock = b.TotalRead == b.BytesInLastBlock;
  if (firstBlock && b.InputCursor == b.InputBuffer.get() &&
      b.InputEnd - b.InputCursor >= std::ssize(kByteOrderMark) &&
      std::equal(std::begin(kByteOrderMark), std::end(kByteOrderMark), b.InputCursor)) {
    b.InputCursor += std::size(kByteOrderMark);
  }
}

void Converter::LocateUnconvertibleInBlock() {
  const ConversionBuffers& b = buffers_;
  const std::span<const std::uint8_t> block{b.InputEnd - b.BytesInLastBlock,
                                            static_cast<std::size_t>(b.BytesInLastBlock)};
  if (unconvertibles_.count == 0) return lines_->Count(block);
  const std::int64_t into = unconvertibles_.firstOffset - (b.TotalRead - b.BytesInLastBlock);
  if (into < 0) {
    // It began in the block before, and ends in this one.
    unconvertibles_.firstPosition = lines_->Last();
  } else {
    lines_->Count(block.first(static_cast<std::size_t>(into)));
    unconvertibles_.firstPosition = lines_->Next();
  }
  lines_.reset();
}

void Converter::WriteByteOrderMark() {
  for (const std::uint8_t b : kByteOrderMark)
    *buffers_.OutputCursor++ = b;
}

StreamResult Converter::StreamInputToOutput(const StreamOptions& options) {
  buffers_.PendingCR = false;
  buffers_.OutputCursor = buffers_.OutputBuffer;
  unconvertibles_ = {};
  const KanjiCode detected = buffers_.DetectedCode;
  if (options.locateUnconvertibles) lines_.emplace(detected);
  if (detected == KanjiCode::UTF8) SkipByteOrderMark();
  if (options.outputKanjiCode == kOutputUTF8 && options.byteOrderMark && options.outputStart == 0 &&
      detected != KanjiCode::Binary) {
    WriteByteOrderMark();
  }
  // Through Unicode, converting costs more than reading, which is worth moving to another
  // processor. The other conversions keep up with the reading: read there, the bytes would
  // only pass between the processors' caches, and the run took longer. A file of one block
  // never waits for the thread.
  const bool firstBlockFull =
      buffers_.BytesInLastBlock == static_cast<std::int32_t>(InputBufferSize);
  if (buffers_.ReadAhead && firstBlockFull && ThroughUnicode(detected, options.outputKanjiCode))
    reader_.Start(*buffers_.InputFile);
  StreamResult result;
  try {
    result = ConvertBufferedStream(*this, options, unconvertibles_);
    // A stop leaves its block unfinished, and in it the character it stopped at.
    if (lines_) LocateUnconvertibleInBlock();
    lines_.reset();
    // What a stop leaves unconverted is not written; what was written before it may
    // have failed, which says more.
    reader_.Stop();
    if (result == StreamResult::Complete) {
      FinishOutput();
    } else {
      writer_.Finish();
    }
  } catch (...) {
    lines_.reset();
    reader_.Stop();
    writer_.Abandon();
    throw;
  }
  if (result == StreamResult::Complete && options.removeCtrlZ)
    RemoveTrailingCtrlZ(options.outputStart);
  return result;
}

}  // namespace mxt::engine
