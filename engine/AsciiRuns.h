#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace mxt::engine {

// Copies the ASCII bytes at the start of `in`, at most `length`; returns how many. Text
// converted to or from UTF-8 is mostly such runs between its kanji.
inline std::size_t CopyAsciiRun(const std::uint8_t* in, std::uint8_t* out, std::size_t length) {
  std::size_t i = 0;
#if defined(__x86_64__)
  for (; i + 16 <= length; i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const auto high = static_cast<unsigned>(_mm_movemask_epi8(chunk));
    if (high != 0) {
      const auto ascii = static_cast<std::size_t>(__builtin_ctz(high));
      std::memcpy(out + i, in + i, ascii);
      return i + ascii;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), chunk);
  }
#endif
  while (i < length && in[i] < 0x80) {
    out[i] = in[i];
    ++i;
  }
  return i;
}

}  // namespace mxt::engine
