// Compiled with AVX2 enabled: everything here but the entry point has internal linkage,
// so no other unit can end up calling code built for AVX2.
#include "engine/Avx2UTF8.h"

#include <immintrin.h>

#include <bit>

namespace mxt::engine {
namespace {

// Keiser and Lemire's test ("Validating UTF-8 in less than one instruction per byte",
// 2021): a byte and the one before it are looked up by three of their nibbles in three
// tables whose bits name the faults such a pair can show; a fault is a bit all three
// share. Third and fourth bytes are told apart by the leads two and three bytes back.
constexpr char kTooShort = 1 << 0;                     // a lead without its continuation
constexpr char kTooLong = 1 << 1;                      // a continuation after ASCII
constexpr char kOverlong3 = 1 << 2;                    // E0 80-9F
constexpr char kTooLarge = 1 << 3;                     // F4 90-BF, F5-FF 90-BF
constexpr char kSurrogate = 1 << 4;                    // ED A0-BF
constexpr char kOverlong2 = 1 << 5;                    // C0-C1
constexpr char kTooLarge1000 = 1 << 6;                 // F5-FF 80-8F
constexpr char kOverlong4 = 1 << 6;                    // F0 80-8F
constexpr char kTwoConts = static_cast<char>(1 << 7);  // right only as a third or fourth byte
constexpr char kCarry = kTooShort | kTooLong | kTwoConts;

__m256i Table(char b0, char b1, char b2, char b3, char b4, char b5, char b6, char b7, char b8,
              char b9, char b10, char b11, char b12, char b13, char b14, char b15) {
  return _mm256_setr_epi8(b0, b1, b2, b3, b4, b5, b6, b7, b8, b9, b10, b11, b12, b13, b14, b15, b0,
                          b1, b2, b3, b4, b5, b6, b7, b8, b9, b10, b11, b12, b13, b14, b15);
}

struct FaultTables {
  __m256i firstHigh, firstLow, secondHigh;
};

FaultTables MakeFaultTables() {
  constexpr char kLarge = kTooLarge | kTooLarge1000;
  return {
      Table(kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong,
            kTwoConts, kTwoConts, kTwoConts, kTwoConts, kTooShort | kOverlong2, kTooShort,
            kTooShort | kOverlong3 | kSurrogate, kTooShort | kLarge | kOverlong4),
      Table(kCarry | kOverlong3 | kOverlong2 | kOverlong4, kCarry | kOverlong2, kCarry, kCarry,
            kCarry | kTooLarge, kCarry | kLarge, kCarry | kLarge, kCarry | kLarge, kCarry | kLarge,
            kCarry | kLarge, kCarry | kLarge, kCarry | kLarge, kCarry | kLarge,
            kCarry | kLarge | kSurrogate, kCarry | kLarge, kCarry | kLarge),
      Table(kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
            kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kTooLarge1000 | kOverlong4,
            kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kTooLarge,
            kTooLong | kOverlong2 | kTwoConts | kSurrogate | kTooLarge,
            kTooLong | kOverlong2 | kTwoConts | kSurrogate | kTooLarge, kTooShort, kTooShort,
            kTooShort, kTooShort),
  };
}

// The bytes shifted on by `n`, the last `n` of `previous` coming in first.
template <int n>
__m256i Earlier(__m256i bytes, __m256i previous) {
  return _mm256_alignr_epi8(bytes, _mm256_permute2x128_si256(previous, bytes, 0x21), 16 - n);
}

__m256i HighNibbles(__m256i bytes) {
  return _mm256_and_si256(_mm256_srli_epi16(bytes, 4), _mm256_set1_epi8(0x0F));
}

// Non-zero where a byte is wrong after the bytes before it.
__m256i Faults(const FaultTables& tables, __m256i bytes, __m256i previous) {
  const __m256i before1 = Earlier<1>(bytes, previous);
  const __m256i lowNibbles = _mm256_and_si256(before1, _mm256_set1_epi8(0x0F));
  const __m256i shared =
      _mm256_and_si256(_mm256_and_si256(_mm256_shuffle_epi8(tables.firstHigh, HighNibbles(before1)),
                                        _mm256_shuffle_epi8(tables.firstLow, lowNibbles)),
                       _mm256_shuffle_epi8(tables.secondHigh, HighNibbles(bytes)));
  // Only a lead of three or four bytes leaves 80 or more after the subtraction.
  const __m256i third = _mm256_subs_epu8(Earlier<2>(bytes, previous), _mm256_set1_epi8(0x60));
  const __m256i fourth = _mm256_subs_epu8(Earlier<3>(bytes, previous), _mm256_set1_epi8(0x70));
  const __m256i mustContinue =
      _mm256_and_si256(_mm256_or_si256(third, fourth), _mm256_set1_epi8(kTwoConts));
  return _mm256_xor_si256(shared, mustContinue);
}

// The start of a character that may go on past `end`, else `end`.
std::uint32_t OpenCharacter(const std::uint8_t* data, std::uint32_t end) {
  for (std::uint32_t k = end; k > 0 && end - k < 3; --k) {
    if (data[k - 1] >= 0xC0) return k - 1;
    if (data[k - 1] < 0x80) break;
  }
  return end;
}

}  // namespace

UTF8Chunks CheckUTF8ChunksAvx2(const std::uint8_t* data, std::uint32_t length) {
  const FaultTables tables = MakeFaultTables();
  const std::uint32_t end = length & ~31u;
  std::uint32_t firstHigh = end;
  __m256i previous = _mm256_setzero_si256();
  std::uint32_t previousHigh = 0;
  for (std::uint32_t i = 0; i < end; i += 32) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    const auto high = static_cast<std::uint32_t>(_mm256_movemask_epi8(bytes));
    // ASCII after ASCII cannot be wrong.
    if ((high | previousHigh) != 0) {
      const __m256i faults = Faults(tables, bytes, previous);
      if (!_mm256_testz_si256(faults, faults)) return {false, 0, false};
      if (high != 0 && firstHigh == end) firstHigh = i + std::countr_zero(high);
    }
    previous = bytes;
    previousHigh = high;
  }
  const std::uint32_t restart = OpenCharacter(data, end);
  return {true, restart, firstHigh < restart};
}

}  // namespace mxt::engine
