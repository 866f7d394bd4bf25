#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/KanjiCode.h"
#include "platform/File.h"

namespace mxt::engine {

constexpr std::size_t InputBufferSize = 32768;
constexpr std::size_t OutputBufferSize = 32768;
// Room for a full output block of line feeds written as CR LF.
constexpr std::size_t NewlineBufferSize = 2 * OutputBufferSize;

// The one record through which every file streams. It lives for the whole run and
// is reused for each file; nothing is allocated per file or per block.
struct ConversionBuffers {
  std::unique_ptr<std::uint8_t[]> InputBuffer;
  const std::uint8_t* InputCursor = nullptr;
  const std::uint8_t* InputEnd = nullptr;
  std::int32_t BytesInLastBlock = 0;
  std::int64_t TotalRead = 0;

  std::unique_ptr<std::uint8_t[]> OutputBuffer;
  std::uint8_t* OutputCursor = nullptr;
  std::uint8_t* OutputEnd = nullptr;

  std::unique_ptr<std::uint8_t[]> NewlineBuffer;
  NewlineCode NewlineMode = NewlineCode::DontCare;
  KanjiCode DetectedCode = KanjiCode::Ascii;
  bool PendingCR = false;  // the previous output block ended with a CR

  // Opened and closed by the caller; the engine only reads and writes them.
  platform::File* InputFile = nullptr;
  platform::File* OutputFile = nullptr;
};

extern ConversionBuffers Buffers;

void AllocateConversionBuffers();
// Also brings the record back to its state before allocation.
void FreeConversionBuffers();

// Reads the next input block; true when there was nothing more to read.
bool RefillInput();
// Writes the buffered output, after newline conversion, to the output file.
void FlushOutput();
// Cuts one Ctrl-Z off the very end of the output file, when it lies at or after `from`.
void RemoveTrailingCtrlZ(std::int64_t from = 0);

}  // namespace mxt::engine
