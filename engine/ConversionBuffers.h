#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/KanjiCode.h"
#include "platform/File.h"

namespace mxt::engine {

// A file is classified by its first block of this many bytes.
constexpr std::size_t ClassificationBlockSize = 32768;
// Each read and each write moves up to this much: the system is called far less often
// than the classification's block would have it called.
constexpr std::size_t InputBufferSize = 256 * 1024;
constexpr std::size_t OutputBufferSize = 256 * 1024;
// Room for a full output block of line feeds written as CR LF.
constexpr std::size_t NewlineBufferSize = 2 * OutputBufferSize;

// Output blocks converted into one after another: the others may still wait to be
// written meanwhile.
constexpr int OutputBlocks = 4;

// Memory that begins on a page: the system copies to and from such a buffer about twice as
// fast as to one a few bytes off, which is what a plain allocation of this size gives.
struct PageAlignedDelete {
  void operator()(std::uint8_t* bytes) const noexcept;
};
using PageAlignedBytes = std::unique_ptr<std::uint8_t[], PageAlignedDelete>;
PageAlignedBytes AllocatePageAligned(std::size_t size);

// The record through which every file streams: allocated once with its converter and
// reused for each file, so nothing is allocated per file or per block.
struct ConversionBuffers {
  ConversionBuffers();

  PageAlignedBytes InputBuffer;
  const std::uint8_t* InputCursor = nullptr;
  const std::uint8_t* InputEnd = nullptr;
  std::int32_t BytesInLastBlock = 0;
  std::int64_t TotalRead = 0;

  // The output block converted into now.
  std::uint8_t* OutputBuffer = nullptr;
  std::uint8_t* OutputCursor = nullptr;
  std::uint8_t* OutputEnd = nullptr;
  // Where the newlines of that block are rewritten.
  std::uint8_t* NewlineBuffer = nullptr;
  // Goes on in the next output block.
  void NextOutputBlock();

  NewlineCode NewlineMode = NewlineCode::DontCare;
  KanjiCode DetectedCode = KanjiCode::Ascii;
  bool PendingCR = false;  // the previous output block ended with a CR

  // Opened and closed by the caller; the converter only reads and writes them.
  platform::File* InputFile = nullptr;
  platform::File* OutputFile = nullptr;
  // The input may be read ahead on another thread, which then reads it until a read gives
  // nothing or the conversion ends: a file, never a pipe, whose read might wait for ever.
  bool ReadAhead = false;
  // Told on the converting thread of each input block before it is converted, with the
  // bytes read so far; may be empty. It may raise, to end the conversion.
  std::function<void(std::int64_t read)> BlockRead;

 private:
  void UseOutputBlock(int block);

  PageAlignedBytes outputBlocks_;
  PageAlignedBytes newlineBlocks_;
  int outputBlock_ = 0;
};

}  // namespace mxt::engine
