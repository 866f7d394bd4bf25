#pragma once

#include <emmintrin.h>

#include <cstdint>

namespace mxt::engine {

// The sixteen-byte operations of the text chunks, in SSE2, which every x86-64 has.
struct Sse2 {
  using Raw = __m128i;
  static constexpr unsigned kWidth = 16;

  static Raw Load(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const Raw*>(p));
  }
  static void Store(std::uint8_t* p, Raw v) { _mm_storeu_si128(reinterpret_cast<Raw*>(p), v); }
  static Raw Splat(int value) { return _mm_set1_epi8(static_cast<char>(value)); }
  static Raw And(Raw a, Raw b) { return _mm_and_si128(a, b); }
  static Raw AndNot(Raw mask, Raw v) { return _mm_andnot_si128(mask, v); }
  static Raw Or(Raw a, Raw b) { return _mm_or_si128(a, b); }
  static Raw Xor(Raw a, Raw b) { return _mm_xor_si128(a, b); }
  static Raw Add(Raw a, Raw b) { return _mm_add_epi8(a, b); }
  static Raw Sub(Raw a, Raw b) { return _mm_sub_epi8(a, b); }
  static Raw Average(Raw a, Raw b) { return _mm_avg_epu8(a, b); }
  static Raw Equal(Raw a, Raw b) { return _mm_cmpeq_epi8(a, b); }
  static Raw SignedGreater(Raw a, Raw b) { return _mm_cmpgt_epi8(a, b); }
  static std::uint32_t Bits(Raw mask) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(mask));
  }

  static Raw MaskOfBits(std::uint32_t bits) {
    Raw spread = _mm_cvtsi32_si128(static_cast<int>(bits));
    spread = _mm_unpacklo_epi8(spread, spread);
    spread = _mm_unpacklo_epi16(spread, spread);
    spread = _mm_unpacklo_epi32(spread, spread);  // the low byte eight times, then the high
    const Raw bit = _mm_set1_epi64x(0x8040201008040201);
    return _mm_cmpeq_epi8(_mm_and_si128(spread, bit), bit);
  }

  static Raw ShiftInLast(Raw bytes, Raw previous) {
    return _mm_or_si128(_mm_slli_si128(bytes, 1), _mm_srli_si128(previous, 15));
  }
};

}  // namespace mxt::engine
