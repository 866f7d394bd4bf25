#include "engine/ConversionBuffers.h"

#include "engine/ByteClasses.h"
#include "engine/NewlineConversion.h"

namespace mxt::engine {

ConversionBuffers Buffers;

void AllocateConversionBuffers() {
  Buffers.InputBuffer = std::make_unique<std::uint8_t[]>(InputBufferSize);
  Buffers.OutputBuffer = std::make_unique<std::uint8_t[]>(OutputBufferSize);
  Buffers.NewlineBuffer = std::make_unique<std::uint8_t[]>(NewlineBufferSize);
  Buffers.InputCursor = Buffers.InputEnd = Buffers.InputBuffer.get();
  Buffers.OutputCursor = Buffers.OutputBuffer.get();
  Buffers.OutputEnd = Buffers.OutputBuffer.get() + OutputBufferSize;
}

void FreeConversionBuffers() {
  Buffers = ConversionBuffers{};
}

bool RefillInput() {
  const std::size_t count =
      Buffers.InputFile->ReadBlock(Buffers.InputBuffer.get(), InputBufferSize);
  Buffers.BytesInLastBlock = static_cast<std::int32_t>(count);
  if (count == 0) return true;
  Buffers.TotalRead += static_cast<std::int64_t>(count);
  Buffers.InputCursor = Buffers.InputBuffer.get();
  Buffers.InputEnd = Buffers.InputCursor + count;
  return false;
}

void FlushOutput() {
  auto count = static_cast<std::uint32_t>(Buffers.OutputCursor - Buffers.OutputBuffer.get());
  if (count == 0) return;
  const std::uint8_t* block = Buffers.NewlineBuffer.get();
  switch (Buffers.NewlineMode) {
    case NewlineCode::CRLF:
      count = ConvertNewlinesToCRLF(Buffers.OutputBuffer.get(), count);
      break;
    case NewlineCode::LF:
      count = ConvertNewlinesToByte(Buffers.OutputBuffer.get(), count, kLF);
      break;
    case NewlineCode::CR:
      count = ConvertNewlinesToByte(Buffers.OutputBuffer.get(), count, kCR);
      break;
    default:
      block = Buffers.OutputBuffer.get();
      break;
  }
  Buffers.OutputFile->WriteBlock(block, count);
  Buffers.OutputCursor = Buffers.OutputBuffer.get();
}

void RemoveTrailingCtrlZ(std::int64_t from) {
  platform::File& output = *Buffers.OutputFile;
  const std::int64_t size = output.Size();
  if (size <= from) return;
  output.Seek(size - 1);
  std::uint8_t last = 0;
  if (output.ReadBlock(&last, 1) != 1 || last != kCtrlZ) return;
  output.Seek(size - 1);
  output.Truncate();
}

}  // namespace mxt::engine
