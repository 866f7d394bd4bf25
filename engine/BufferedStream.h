#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/Converter.h"

namespace mxt::engine {

struct InputSpan {
  const std::uint8_t* cursor;
  const std::uint8_t* end;
};

struct OutputSpan {
  std::uint8_t* cursor;
  std::uint8_t* end;
};

// Out of line, taken only at a block boundary. They take and return cursors by value
// so that the stream's own copies never have their address taken.
InputSpan RefillInputAt(Converter& converter, const std::uint8_t* cursor);
// The output goes on in the next output block.
OutputSpan FlushFullOutput(Converter& converter);

// The byte source and sink over a converter's buffers. It works on copies of the
// buffers' cursors, which the compiler can keep in registers through a stream
// routine, and puts them back when it goes.
class BufferedStream {
 public:
  explicit BufferedStream(Converter& converter)
      : converter_(converter),
        in_(converter.Buffers().InputCursor),
        inEnd_(converter.Buffers().InputEnd),
        out_(converter.Buffers().OutputCursor),
        outEnd_(converter.Buffers().OutputEnd) {}
  BufferedStream(const BufferedStream&) = delete;
  BufferedStream& operator=(const BufferedStream&) = delete;
  ~BufferedStream() {
    converter_.Buffers().InputCursor = in_;
    converter_.Buffers().OutputCursor = out_;
  }

  int ReadByte() {
    if (in_ == inEnd_) [[unlikely]] {
      const InputSpan next = RefillInputAt(converter_, in_);
      in_ = next.cursor;
      inEnd_ = next.end;
      if (in_ == inEnd_) return -1;
    }
    return *in_++;
  }

  void WriteByte(std::uint8_t b) {
    if (out_ == outEnd_) [[unlikely]] {
      const OutputSpan next = FlushFullOutput(converter_);
      out_ = next.cursor;
      outEnd_ = next.end;
    }
    *out_++ = b;
  }

  // Lets `convert(in, out, length)` work on the buffered bytes directly, as many as
  // both the input block and the output room hold; it returns how many it took,
  // the same count read and written.
  template <class Convert>
  void ConvertInPlace(const Convert& convert) {
    const auto length =
        static_cast<std::size_t>(std::min<std::ptrdiff_t>(inEnd_ - in_, outEnd_ - out_));
    const std::size_t done = convert(in_, out_, length);
    in_ += done;
    out_ += done;
  }

  // Lets `convert(in, inEnd, out, outEnd)` go through the buffered bytes directly, reading
  // and writing as many as it likes within the two blocks; it returns where it stopped.
  template <class Convert>
  void ConvertSpan(const Convert& convert) {
    const SpanCursors moved = convert(in_, inEnd_, out_, outEnd_);
    in_ = moved.in;
    out_ = moved.out;
  }

  // How many bytes of the input have been read from the stream.
  std::int64_t InputOffset() const { return converter_.Buffers().TotalRead - (inEnd_ - in_); }

  void WritePair(std::uint8_t first, std::uint8_t second) {
    if (outEnd_ - out_ < 2) [[unlikely]] {
      WriteByte(first);
      WriteByte(second);
      return;
    }
    out_[0] = first;
    out_[1] = second;
    out_ += 2;
  }

 private:
  Converter& converter_;
  const std::uint8_t* in_;
  const std::uint8_t* inEnd_;
  std::uint8_t* out_;
  std::uint8_t* outEnd_;
};

}  // namespace mxt::engine
