// Compiled with AVX2 enabled: everything here but the two entry points has internal
// linkage, so no other unit can end up calling code built for AVX2.
#include "engine/Avx2TextChunks.h"

#include <immintrin.h>

#include "engine/TextChunks.h"

namespace mxt::engine {
namespace {

struct Avx2 {
  using Raw = __m256i;
  static constexpr unsigned kWidth = 32;

  static Raw Load(const std::uint8_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const Raw*>(p));
  }
  static void Store(std::uint8_t* p, Raw v) { _mm256_storeu_si256(reinterpret_cast<Raw*>(p), v); }
  static Raw Splat(int value) { return _mm256_set1_epi8(static_cast<char>(value)); }
  static Raw And(Raw a, Raw b) { return _mm256_and_si256(a, b); }
  static Raw AndNot(Raw mask, Raw v) { return _mm256_andnot_si256(mask, v); }
  static Raw Or(Raw a, Raw b) { return _mm256_or_si256(a, b); }
  static Raw Xor(Raw a, Raw b) { return _mm256_xor_si256(a, b); }
  static Raw Add(Raw a, Raw b) { return _mm256_add_epi8(a, b); }
  static Raw Sub(Raw a, Raw b) { return _mm256_sub_epi8(a, b); }
  static Raw Average(Raw a, Raw b) { return _mm256_avg_epu8(a, b); }
  static Raw Equal(Raw a, Raw b) { return _mm256_cmpeq_epi8(a, b); }
  static Raw SignedGreater(Raw a, Raw b) { return _mm256_cmpgt_epi8(a, b); }
  static std::uint32_t Bits(Raw mask) {
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(mask));
  }

  static Raw MaskOfBits(std::uint32_t bits) {
    // Byte i takes byte i / 8 of the bits; each 128-bit lane sees all four.
    const Raw spread = _mm256_shuffle_epi8(
        _mm256_set1_epi32(static_cast<int>(bits)),
        _mm256_setr_epi64x(0, 0x0101010101010101, 0x0202020202020202, 0x0303030303030303));
    const Raw bit = _mm256_set1_epi64x(0x8040201008040201);
    return _mm256_cmpeq_epi8(_mm256_and_si256(spread, bit), bit);
  }

  static Raw ShiftInLast(Raw bytes, Raw previous) {
    return _mm256_alignr_epi8(bytes, _mm256_permute2x128_si256(previous, bytes, 0x21), 15);
  }
};

}  // namespace

std::size_t ShiftJISToEUCChunksAvx2(const std::uint8_t* in, std::uint8_t* out, std::size_t length) {
  return text_chunks::Convert<Avx2, text_chunks::ShiftJISToEUC>(in, out, length);
}

std::size_t EUCToShiftJISChunksAvx2(const std::uint8_t* in, std::uint8_t* out, std::size_t length) {
  return text_chunks::Convert<Avx2, text_chunks::EUCToShiftJIS>(in, out, length);
}

}  // namespace mxt::engine
