#include "engine/NewlineConversion.h"

#include "engine/ByteClasses.h"
#include "engine/ConversionBuffers.h"

namespace mxt::engine {

namespace {

template <class WriteNewline>
std::uint32_t ConvertNewlines(ConversionBuffers& buffers, const std::uint8_t* data,
                              std::uint32_t count, WriteNewline writeNewline) {
  if (count == 0) return 0;
  const std::uint8_t* in = data;
  const std::uint8_t* const end = data + count;
  std::uint8_t* const start = buffers.NewlineBuffer.get();
  std::uint8_t* out = start;
  // An LF here completes the CR that ended the previous block, already written.
  if (buffers.PendingCR && *in == kLF) ++in;
  buffers.PendingCR = false;
  while (in != end) {
    const std::uint8_t b = *in++;
    if (b == kLF) {
      out = writeNewline(out);
    } else if (b == kCR) {
      out = writeNewline(out);
      if (in == end) {
        buffers.PendingCR = true;
      } else if (*in == kLF) {
        ++in;
      }
    } else {
      *out++ = b;
    }
  }
  return static_cast<std::uint32_t>(out - start);
}

}  // namespace

std::uint32_t ConvertNewlinesToCRLF(ConversionBuffers& buffers, const std::uint8_t* data,
                                    std::uint32_t count) {
  return ConvertNewlines(buffers, data, count, [](std::uint8_t* out) {
    out[0] = kCR;
    out[1] = kLF;
    return out + 2;
  });
}

std::uint32_t ConvertNewlinesToByte(ConversionBuffers& buffers, const std::uint8_t* data,
                                    std::uint32_t count, std::uint8_t newline) {
  return ConvertNewlines(buffers, data, count, [newline](std::uint8_t* out) {
    *out = newline;
    return out + 1;
  });
}

}  // namespace mxt::engine
