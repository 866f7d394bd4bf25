#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mxt::engine {

// The two-byte forms whose long runs convert to Shift-JIS sixteen bytes at a time.
enum class PairForm : std::uint8_t {
  EUC,  // both bytes A1-FE
  JIS,  // both bytes 21-7E, inside a kanji designation
};

#if defined(__SSE2__)

namespace pair_runs {

// How many leading bytes of the sixteen lie in low..high.
inline int LeadingInRange(__m128i bytes, std::uint8_t low, std::uint8_t high) {
  const __m128i aboveLow =
      _mm_cmpeq_epi8(_mm_max_epu8(bytes, _mm_set1_epi8(static_cast<char>(low))), bytes);
  const __m128i belowHigh =
      _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(static_cast<char>(high))), bytes);
  const auto inRange = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(aboveLow, belowHigh)));
  return std::countr_one(inRange);
}

// The pair arithmetic on eight JIS pairs, one per 16-bit lane, first byte low.
inline __m128i JISPairsToShiftJIS(__m128i pairs) {
  const __m128i one = _mm_set1_epi16(1);
  const __m128i j1 = _mm_and_si128(pairs, _mm_set1_epi16(0x00FF));
  const __m128i j2 = _mm_srli_epi16(pairs, 8);
  const __m128i oddRow = _mm_cmpeq_epi16(_mm_and_si128(j1, one), one);
  __m128i s1 = _mm_add_epi16(_mm_srli_epi16(_mm_add_epi16(j1, one), 1), _mm_set1_epi16(0x70));
  s1 = _mm_add_epi16(
      s1, _mm_and_si128(_mm_cmpgt_epi16(s1, _mm_set1_epi16(0x9F)), _mm_set1_epi16(0x40)));
  // Odd rows: j2 + 0x1F, stepping over 0x7F; even rows: j2 + 0x7E.
  const __m128i oddTrail = _mm_add_epi16(j2, _mm_set1_epi16(0x1F));
  const __m128i oddS2 =
      _mm_add_epi16(oddTrail, _mm_srli_epi16(_mm_cmpgt_epi16(oddTrail, _mm_set1_epi16(0x7E)), 15));
  const __m128i evenS2 = _mm_add_epi16(j2, _mm_set1_epi16(0x7E));
  const __m128i s2 = _mm_or_si128(_mm_and_si128(oddRow, oddS2), _mm_andnot_si128(oddRow, evenS2));
  return _mm_or_si128(s1, _mm_slli_epi16(s2, 8));
}

}  // namespace pair_runs

// Converts the run of pairs of `form` at the start of `in` into Shift-JIS at `out`,
// sixteen bytes at a time while `length` leaves room for sixteen; returns the bytes
// converted, the same count read and written. `in` starts on a pair. Up to sixteen
// bytes of `out` past the converted ones may be overwritten.
inline std::size_t ConvertPairRunsToShiftJIS(const std::uint8_t* in, std::uint8_t* out,
                                             std::size_t length, PairForm form) {
  const bool euc = form == PairForm::EUC;
  const std::uint8_t low = euc ? 0xA1 : 0x21;
  const std::uint8_t high = euc ? 0xFE : 0x7E;
  std::size_t done = 0;
  while (length - done >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done));
    const __m128i pairs = euc ? _mm_and_si128(bytes, _mm_set1_epi8(0x7F)) : bytes;
    // All sixteen are written, but only the whole pairs at the front count; what
    // lies beyond them is written over later.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + done), pair_runs::JISPairsToShiftJIS(pairs));
    const int pairBytes = pair_runs::LeadingInRange(bytes, low, high) & ~1;
    done += static_cast<std::size_t>(pairBytes);
    if (pairBytes < 16) break;
  }
  return done;
}

#else

// Without SSE2 every pair goes the byte-wise way.
inline std::size_t ConvertPairRunsToShiftJIS(const std::uint8_t*, std::uint8_t*, std::size_t,
                                             PairForm) {
  return 0;
}

#endif

}  // namespace mxt::engine
