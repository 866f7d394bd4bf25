#include "engine/ConversionBuffers.h"

#include <new>

namespace mxt::engine {

namespace {
constexpr std::align_val_t kPageSize{4096};
}  // namespace

void PageAlignedDelete::operator()(std::uint8_t* bytes) const noexcept {
  ::operator delete[](bytes, kPageSize);
}

// Never cleared: every byte is written before it is read.
PageAlignedBytes AllocatePageAligned(std::size_t size) {
  return PageAlignedBytes(static_cast<std::uint8_t*>(::operator new[](size, kPageSize)));
}

ConversionBuffers::ConversionBuffers()
    : InputBuffer(AllocatePageAligned(InputBufferSize)),
      outputBlocks_(AllocatePageAligned(OutputBlocks * OutputBufferSize)),
      newlineBlocks_(AllocatePageAligned(OutputBlocks * NewlineBufferSize)) {
  InputCursor = InputEnd = InputBuffer.get();
  UseOutputBlock(0);
}

void ConversionBuffers::NextOutputBlock() {
  UseOutputBlock((outputBlock_ + 1) % OutputBlocks);
}

void ConversionBuffers::UseOutputBlock(int block) {
  outputBlock_ = block;
  OutputBuffer = outputBlocks_.get() + block * OutputBufferSize;
  OutputCursor = OutputBuffer;
  OutputEnd = OutputBuffer + OutputBufferSize;
  NewlineBuffer = newlineBlocks_.get() + block * NewlineBufferSize;
}

}  // namespace mxt::engine
