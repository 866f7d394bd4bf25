#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__x86_64__)
#include <emmintrin.h>

#include "engine/Avx2TextChunks.h"
#include "engine/CpuFeatures.h"
#include "engine/Sse2.h"
#include "engine/TextChunks.h"
#endif

namespace mxt::engine {

// The conversions whose text goes a chunk of bytes at a time.
enum class PairRun : std::uint8_t {
  EUCToShiftJIS,  // pairs of A1-FE among single bytes
  JISToShiftJIS,  // pairs of 21-7E, inside a kanji designation
  ShiftJISToEUC,  // pairs of a lead and a trail byte among single bytes
};

#if defined(__x86_64__)

namespace pair_runs {

inline __m128i Set16(int value) {
  return _mm_set1_epi16(static_cast<short>(value));
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
  using C = text_chunks::Chunk<Sse2>;
  const __m128i s2 = text_chunks::Select(C{oddRow}, C{oddS2}, C{evenS2}).raw;
  return _mm_or_si128(s1, _mm_slli_epi16(s2, 8));
}

// Converts the run of JIS pairs at the start of `in`, sixteen bytes at a time while
// sixteen are left, up to the first byte outside 21-7E. Returns the bytes converted.
inline std::size_t ConvertJISRun(const std::uint8_t* in, std::uint8_t* out, std::size_t length) {
  using C = text_chunks::Chunk<Sse2>;
  std::size_t done = 0;
  while (length - done >= 16) {
    const C bytes = C::Load(in + done);
    Sse2::Store(out + done, JISPairsToShiftJIS(bytes.raw));
    const int pairBytes =
        std::countr_one(text_chunks::Bits(text_chunks::InRange(bytes, 0x21, 0x7E)));
    // A whole chunk adds a constant, so the next load need not wait for this one's count.
    if (pairBytes != 16) return done + static_cast<std::size_t>(pairBytes & ~1);
    done += 16;
  }
  return done;
}

}  // namespace pair_runs

// Converts the text at the start of `in` to `out` as far as it goes a chunk at a
// time; the byte-wise routine takes over from the returned count, which is read and
// written alike. `in` starts on a character.
inline std::size_t ConvertPairRuns(const std::uint8_t* in, std::uint8_t* out, std::size_t length,
                                   PairRun run) {
  using namespace pair_runs;
  switch (run) {
    case PairRun::ShiftJISToEUC:
      return CpuHasAvx2() ? ShiftJISToEUCChunksAvx2(in, out, length)
                          : text_chunks::Convert<Sse2, text_chunks::ShiftJISToEUC>(in, out, length);
    case PairRun::EUCToShiftJIS:
      return CpuHasAvx2() ? EUCToShiftJISChunksAvx2(in, out, length)
                          : text_chunks::Convert<Sse2, text_chunks::EUCToShiftJIS>(in, out, length);
    case PairRun::JISToShiftJIS:
      return ConvertJISRun(in, out, length);
  }
  return 0;
}

#else

// Elsewhere every character goes the byte-wise way.
inline std::size_t ConvertPairRuns(const std::uint8_t*, std::uint8_t*, std::size_t, PairRun) {
  return 0;
}

#endif

}  // namespace mxt::engine
