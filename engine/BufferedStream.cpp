#include "engine/BufferedStream.h"

namespace mxt::engine {

InputSpan RefillInputAt(Converter& converter, const std::uint8_t* cursor) {
  ConversionBuffers& buffers = converter.Buffers();
  buffers.InputCursor = cursor;
  converter.RefillInput();
  return {buffers.InputCursor, buffers.InputEnd};
}

OutputSpan FlushFullOutput(Converter& converter) {
  ConversionBuffers& buffers = converter.Buffers();
  buffers.OutputCursor = buffers.OutputEnd;
  converter.FlushOutput();
  return {buffers.OutputCursor, buffers.OutputEnd};
}

}  // namespace mxt::engine
