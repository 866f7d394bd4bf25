#include "engine/ConversionBuffers.h"

namespace mxt::engine {

ConversionBuffers::ConversionBuffers()
    : InputBuffer(std::make_unique_for_overwrite<std::uint8_t[]>(InputBufferSize)),
      OutputBuffer(std::make_unique_for_overwrite<std::uint8_t[]>(OutputBufferSize)),
      NewlineBuffer(std::make_unique_for_overwrite<std::uint8_t[]>(NewlineBufferSize)) {
  InputCursor = InputEnd = InputBuffer.get();
  OutputCursor = OutputBuffer.get();
  OutputEnd = OutputBuffer.get() + OutputBufferSize;
}

}  // namespace mxt::engine
