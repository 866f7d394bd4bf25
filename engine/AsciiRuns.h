#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/ByteClasses.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace mxt::engine {

// Copies the bytes at the start of `in` up to the first that `ends` the run, at most
// `length`; returns how many. `endsChunk` gives, a bit per byte, which bytes of a 16-byte
// chunk end it; both must agree that every byte from 80 on does.
template <class EndsChunk, class Ends>
std::size_t CopyRunUntil(const std::uint8_t* in, std::uint8_t* out, std::size_t length,
                         const EndsChunk& endsChunk, const Ends& ends) {
  std::size_t i = 0;
#if defined(__x86_64__)
  for (; i + 16 <= length; i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const unsigned ending = endsChunk(chunk);
    if (ending != 0) {
      const auto run = static_cast<std::size_t>(__builtin_ctz(ending));
      std::memcpy(out + i, in + i, run);
      return i + run;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), chunk);
  }
#else
  (void)endsChunk;
#endif
  while (i < length && !ends(in[i])) {
    out[i] = in[i];
    ++i;
  }
  return i;
}

static_assert((kShiftOut | 1) == kShiftIn);  // so both are found with the low bit dropped

#if defined(__x86_64__)
inline unsigned HighBytes(__m128i chunk) {
  return static_cast<unsigned>(_mm_movemask_epi8(chunk));
}

inline unsigned HighEscapeOrShiftBytes(__m128i chunk) {
  const __m128i escapes = _mm_cmpeq_epi8(chunk, _mm_set1_epi8(kEsc));
  const __m128i shifts =
      _mm_cmpeq_epi8(_mm_and_si128(chunk, _mm_set1_epi8(~1)), _mm_set1_epi8(kShiftOut));
  return HighBytes(_mm_or_si128(chunk, _mm_or_si128(escapes, shifts)));
}
#endif

// Copies the ASCII bytes at the start of `in`. Text converted to or from UTF-8 is mostly
// such runs between its kanji.
inline std::size_t CopyAsciiRun(const std::uint8_t* in, std::uint8_t* out, std::size_t length) {
  return CopyRunUntil(
      in, out, length, [](auto chunk) { return HighBytes(chunk); },
      [](std::uint8_t b) { return b >= 0x80; });
}

// The bytes CopyAsciiChunk reads and writes.
constexpr std::size_t kAsciiChunk = 16;

// Copies kAsciiChunk bytes from `in` (both ends must have room for them whatever they hold)
// and returns how many of them lead as ASCII: the caller takes those. The end of the run is
// computed, not found by a branch per byte, which short runs between kanji mispredict.
inline std::size_t CopyAsciiChunk(const std::uint8_t* in, std::uint8_t* out) {
#if defined(__x86_64__)
  const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), chunk);
  return static_cast<std::size_t>(__builtin_ctz(HighBytes(chunk) | 1u << kAsciiChunk));
#else
  return CopyAsciiRun(in, out, kAsciiChunk);
#endif
}

// Copies the text of JIS input outside kanji mode and shift-out: ASCII up to an escape or a
// shift byte, which change the mode.
inline std::size_t CopyJISTextRun(const std::uint8_t* in, std::uint8_t* out, std::size_t length) {
  return CopyRunUntil(
      in, out, length, [](auto chunk) { return HighEscapeOrShiftBytes(chunk); },
      [](std::uint8_t b) { return b >= 0x80 || b == kEsc || (b & ~1) == kShiftOut; });
}

}  // namespace mxt::engine
