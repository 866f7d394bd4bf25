#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mxt::engine {

// The conversions whose long runs of two-byte characters go sixteen bytes at a time.
enum class PairRun : std::uint8_t {
  EUCToShiftJIS,  // both bytes A1-FE
  JISToShiftJIS,  // both bytes 21-7E, inside a kanji designation
  ShiftJISToEUC,  // a lead byte and a trail byte
};

#if defined(__SSE2__)

namespace pair_runs {

inline __m128i Set16(int value) {
  return _mm_set1_epi16(static_cast<short>(value));
}

// Per 16-bit lane (values below 0x100): all ones where low <= v <= high.
inline __m128i InRange16(__m128i v, int low, int high) {
  const __m128i outside =
      _mm_or_si128(_mm_cmpgt_epi16(Set16(low), v), _mm_cmpgt_epi16(v, Set16(high)));
  return _mm_xor_si128(outside, _mm_set1_epi32(-1));
}

// How many leading bytes of the sixteen lie in low..high.
inline int LeadingInRange(__m128i bytes, std::uint8_t low, std::uint8_t high) {
  const __m128i aboveLow =
      _mm_cmpeq_epi8(_mm_max_epu8(bytes, _mm_set1_epi8(static_cast<char>(low))), bytes);
  const __m128i belowHigh =
      _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(static_cast<char>(high))), bytes);
  const auto inRange = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(aboveLow, belowHigh)));
  return std::countr_one(inRange);
}

// How many leading bytes of the sixteen are whole Shift-JIS pairs, lead byte first.
inline int LeadingShiftJISPairs(__m128i pairs) {
  const __m128i lead = _mm_and_si128(pairs, Set16(0x00FF));
  const __m128i trail = _mm_srli_epi16(pairs, 8);
  const __m128i leadOk = _mm_or_si128(InRange16(lead, 0x81, 0x9F), InRange16(lead, 0xE0, 0xFC));
  const __m128i trailOk =
      _mm_andnot_si128(_mm_cmpeq_epi16(trail, Set16(0x7F)), InRange16(trail, 0x40, 0xFC));
  const auto valid = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(leadOk, trailOk)));
  return std::countr_one(valid);
}

// The pair arithmetic on eight JIS pairs, one per 16-bit lane, first byte low.
inline __m128i JISPairsToShiftJIS(__m128i pairs) {
  const __m128i one = Set16(1);
  const __m128i j1 = _mm_and_si128(pairs, Set16(0x00FF));
  const __m128i j2 = _mm_srli_epi16(pairs, 8);
  const __m128i oddRow = _mm_cmpeq_epi16(_mm_and_si128(j1, one), one);
  __m128i s1 = _mm_add_epi16(_mm_srli_epi16(_mm_add_epi16(j1, one), 1), Set16(0x70));
  s1 = _mm_add_epi16(s1, _mm_and_si128(_mm_cmpgt_epi16(s1, Set16(0x9F)), Set16(0x40)));
  // Odd rows: j2 + 0x1F, stepping over 0x7F; even rows: j2 + 0x7E.
  const __m128i oddTrail = _mm_add_epi16(j2, Set16(0x1F));
  const __m128i oddS2 =
      _mm_add_epi16(oddTrail, _mm_srli_epi16(_mm_cmpgt_epi16(oddTrail, Set16(0x7E)), 15));
  const __m128i evenS2 = _mm_add_epi16(j2, Set16(0x7E));
  const __m128i s2 = _mm_or_si128(_mm_and_si128(oddRow, oddS2), _mm_andnot_si128(oddRow, evenS2));
  return _mm_or_si128(s1, _mm_slli_epi16(s2, 8));
}

// Eight Shift-JIS pairs to EUC, one per 16-bit lane, lead byte low.
inline __m128i ShiftJISPairsToEUC(__m128i pairs) {
  const __m128i s1 = _mm_and_si128(pairs, Set16(0x00FF));
  const __m128i s2 = _mm_srli_epi16(pairs, 8);
  const __m128i highLead = _mm_cmpgt_epi16(s1, Set16(0x9F));
  const __m128i lowHalf = _mm_cmpgt_epi16(Set16(0x9F), s2);  // an odd JIS row
  const __m128i base = _mm_add_epi16(Set16(0x70), _mm_and_si128(highLead, Set16(0x40)));
  // 2 * (s1 - base), one less for an odd row (lowHalf is -1 there).
  const __m128i j1 = _mm_add_epi16(_mm_slli_epi16(_mm_sub_epi16(s1, base), 1), lowHalf);
  const __m128i aboveDel = _mm_cmpgt_epi16(s2, Set16(0x7E));
  const __m128i lowJ2 =
      _mm_sub_epi16(_mm_sub_epi16(s2, Set16(0x1F)), _mm_and_si128(aboveDel, Set16(1)));
  const __m128i highJ2 = _mm_sub_epi16(s2, Set16(0x7E));
  const __m128i j2 = _mm_or_si128(_mm_and_si128(lowHalf, lowJ2), _mm_andnot_si128(lowHalf, highJ2));
  const __m128i euc = _mm_or_si128(_mm_and_si128(j1, Set16(0x00FF)), _mm_slli_epi16(j2, 8));
  return _mm_or_si128(euc, Set16(0x8080));
}

}  // namespace pair_runs

// Converts the run of two-byte characters at the start of `in` to `out`, sixteen bytes
// at a time while `length` leaves room for sixteen; between Shift-JIS or EUC pairs it
// copies bytes below 0x80 too. Returns the bytes converted, the same count read and
// written. `in` starts on a character. Up to sixteen bytes of `out` past the converted
// ones may be overwritten.
inline std::size_t ConvertPairRuns(const std::uint8_t* in, std::uint8_t* out, std::size_t length,
                                   PairRun run) {
  using namespace pair_runs;
  std::size_t done = 0;
  while (length - done >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done));
    __m128i converted;
    int pairBytes;  // of the sixteen, how many lead the chunk in the run's form
    if (run == PairRun::ShiftJISToEUC) {
      converted = ShiftJISPairsToEUC(bytes);
      pairBytes = LeadingShiftJISPairs(bytes);
    } else if (run == PairRun::EUCToShiftJIS) {
      converted = JISPairsToShiftJIS(_mm_and_si128(bytes, _mm_set1_epi8(0x7F)));
      pairBytes = LeadingInRange(bytes, 0xA1, 0xFE);
    } else {
      converted = JISPairsToShiftJIS(bytes);
      pairBytes = LeadingInRange(bytes, 0x21, 0x7E);
    }
    // All sixteen are written, but only the whole pairs at the front count; what lies
    // beyond them is written over later.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + done), converted);
    // A whole chunk adds a constant, so the next load need not wait for this one's count.
    if (pairBytes == 16) {
      done += 16;
      continue;
    }
    done += static_cast<std::size_t>(pairBytes & ~1);
    if (run == PairRun::JISToShiftJIS) break;
    // Below 0x80 a byte stands for itself in Shift-JIS and EUC alike: the words and
    // newlines between runs of kanji are copied here, and the next run goes on.
    const std::size_t before = done;
    while (done < length && in[done] < 0x80) {
      out[done] = in[done];
      ++done;
    }
    if (done == before) break;
  }
  return done;
}

#else

// Without SSE2 every character goes the byte-wise way.
inline std::size_t ConvertPairRuns(const std::uint8_t*, std::uint8_t*, std::size_t, PairRun) {
  return 0;
}

#endif

}  // namespace mxt::engine
