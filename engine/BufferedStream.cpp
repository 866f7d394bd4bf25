#include "engine/BufferedStream.h"

namespace mxt::engine {

InputSpan RefillInputAt(const std::uint8_t* cursor) {
  Buffers.InputCursor = cursor;
  RefillInput();
  return {Buffers.InputCursor, Buffers.InputEnd};
}

std::uint8_t* FlushFullOutput() {
  Buffers.OutputCursor = Buffers.OutputEnd;
  FlushOutput();
  return Buffers.OutputCursor;
}

}  // namespace mxt::engine
