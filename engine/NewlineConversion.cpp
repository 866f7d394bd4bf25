#include "engine/NewlineConversion.h"

#include "engine/ByteClasses.h"

namespace mxt::engine {

namespace {

template <class WriteNewline>
std::uint32_t ConvertNewlines(const std::uint8_t* data, std::uint32_t count, std::uint8_t* out,
                              bool& pendingCR, WriteNewline writeNewline) {
  if (count == 0) return 0;
  const std::uint8_t* in = data;
  const std::uint8_t* const end = data + count;
  std::uint8_t* const start = out;
  // An LF here completes the CR that ended the previous block, already written.
  if (pendingCR && *in == kLF) ++in;
  pendingCR = false;
  while (in != end) {
    const std::uint8_t b = *in++;
    if (b == kLF) {
      out = writeNewline(out);
    } else if (b == kCR) {
      out = writeNewline(out);
      if (in == end) {
        pendingCR = true;
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

std::uint32_t ConvertNewlinesToCRLF(const std::uint8_t* data, std::uint32_t count,
                                    std::uint8_t* out, bool& pendingCR) {
  return ConvertNewlines(data, count, out, pendingCR, [](std::uint8_t* at) {
    at[0] = kCR;
    at[1] = kLF;
    return at + 2;
  });
}

std::uint32_t ConvertNewlinesToByte(const std::uint8_t* data, std::uint32_t count,
                                    std::uint8_t newline, std::uint8_t* out, bool& pendingCR) {
  return ConvertNewlines(data, count, out, pendingCR, [newline](std::uint8_t* at) {
    *at = newline;
    return at + 1;
  });
}

}  // namespace mxt::engine
