#include "engine/BufferedStream.h"

namespace mxt::engine {

InputSpan RefillInputAt(Converter& converter, const std::uint8_t* cursor) {
  ConversionBuffers& buffers = converter.Buffers();
  buffers.InputCursor = cursor;
  converter.RefillInput();
  return {buffers.InputCursor, buffers.InputEnd};
}

std::uint8_t* FlushFullOutput(Converter& converter) {
  ConversionBuffers& buffers = converter.Buffers();
  buffers.OutputCursor = buffers.OutputEnd;
  converter.FlushOutput();
  return buffers.OutputCursor;
}

}  // namespace mxt::engine
