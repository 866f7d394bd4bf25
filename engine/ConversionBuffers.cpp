#include "engine/ConversionBuffers.h"

namespace mxt::engine {

// Never cleared: every byte is written before it is read.
ConversionBuffers::ConversionBuffers()
    : InputBuffer(std::make_unique_for_overwrite<std::uint8_t[]>(InputBufferSize)),
      outputBlocks_(
          std::make_unique_for_overwrite<std::uint8_t[]>(OutputBlocks * OutputBufferSize)),
      newlineBlocks_(
          std::make_unique_for_overwrite<std::uint8_t[]>(OutputBlocks * NewlineBufferSize)) {
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
