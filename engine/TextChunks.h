#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace mxt::engine::text_chunks {

// A chunk of bytes in one vector register of the instruction set `Isa`, which
// provides the raw operations; lanes are bytes and arithmetic wraps.
template <class Isa>
struct Chunk {
  typename Isa::Raw raw;

  static Chunk Load(const std::uint8_t* p) { return {Isa::Load(p)}; }
  void Store(std::uint8_t* p) const { Isa::Store(p, raw); }
  static Chunk All(int value) { return {Isa::Splat(value)}; }

  friend Chunk operator&(Chunk a, Chunk b) { return {Isa::And(a.raw, b.raw)}; }
  friend Chunk operator|(Chunk a, Chunk b) { return {Isa::Or(a.raw, b.raw)}; }
  friend Chunk operator^(Chunk a, Chunk b) { return {Isa::Xor(a.raw, b.raw)}; }
  friend Chunk operator+(Chunk a, Chunk b) { return {Isa::Add(a.raw, b.raw)}; }
  friend Chunk operator-(Chunk a, Chunk b) { return {Isa::Sub(a.raw, b.raw)}; }
  friend Chunk operator==(Chunk a, Chunk b) { return {Isa::Equal(a.raw, b.raw)}; }
};

template <class Isa>
Chunk<Isa> AndNot(Chunk<Isa> mask, Chunk<Isa> value) {  // value where mask is clear
  return {Isa::AndNot(mask.raw, value.raw)};
}

template <class Isa>
Chunk<Isa> Select(Chunk<Isa> mask, Chunk<Isa> ifSet, Chunk<Isa> ifClear) {
  return (mask & ifSet) | AndNot(mask, ifClear);
}

// All ones where b >= low (at least 1), unsigned.
template <class Isa>
Chunk<Isa> AtLeast(Chunk<Isa> b, int low) {
  return {Isa::SignedGreater((b ^ Chunk<Isa>::All(0x80)).raw, Isa::Splat((low - 1) ^ 0x80))};
}

// All ones where b <= high (at most FE), unsigned.
template <class Isa>
Chunk<Isa> AtMost(Chunk<Isa> b, int high) {
  return {Isa::SignedGreater(Isa::Splat((high + 1) ^ 0x80), (b ^ Chunk<Isa>::All(0x80)).raw)};
}

template <class Isa>
Chunk<Isa> InRange(Chunk<Isa> b, int low, int high) {
  return AtLeast(b, low) & AtMost(b, high);
}

// Bit i set where byte i of the mask is.
template <class Isa>
std::uint32_t Bits(Chunk<Isa> mask) {
  return Isa::Bits(mask.raw);
}

// The inverse of Bits.
template <class Isa>
Chunk<Isa> MaskOf(std::uint32_t bits) {
  return {Isa::MaskOfBits(bits)};
}

// Byte i is byte i - 1 of `bytes`; byte 0 is the last byte of `previous`.
template <class Isa>
Chunk<Isa> ShiftedOn(Chunk<Isa> bytes, Chunk<Isa> previous) {
  return {Isa::ShiftInLast(bytes.raw, previous.raw)};
}

// Of the bytes that open a pair when they stand at the start of a character, those
// that do: a run of them alternates lead and second byte from its first byte on, and
// a run starts after a byte that cannot open a pair, so it starts on a character.
template <class Isa>
std::uint32_t PairLeads(std::uint32_t openers) {
  constexpr std::uint32_t kOdd = 0xAAAAAAAAu;
  const std::uint32_t starts = openers & ~(openers << 1);
  // Adding a run's start bit carries through the run and clears it.
  const std::uint32_t oddStartRuns = openers & ~(openers + (starts & kOdd));
  return (oddStartRuns & kOdd) | (openers & ~oddStartRuns & ~kOdd);
}

// What the bytes of a chunk are, bit i for byte i.
struct ChunkClasses {
  std::uint32_t openers;     // would open a pair at the start of a character
  std::uint32_t secondFits;  // the next byte is a valid second byte
  // Left to the byte-wise routine where it starts a character: a single byte whose
  // length the output changes, or a lead byte the output code has no row for.
  std::uint32_t byteWise;
};

template <class Isa>
struct ShiftJISToEUC {
  using C = Chunk<Isa>;

  static ChunkClasses Classify(C bytes, C next) {
    // Flipping bit 5 lays the lead ranges 81-9F and E0-FC end to end, as A1-DC.
    const C lead = InRange(bytes ^ C::All(0x20), 0xA1, 0xDC);
    const C trail = AndNot(next == C::All(0x7F), InRange(next, 0x40, 0xFC));
    const C byteWise = InRange(bytes, 0xA0, 0xDF) | AtLeast(bytes, 0xF0);
    return {Bits(lead), Bits(trail), Bits(byteWise)};
  }

  static C First(C s1, C s2) {
    const C base = C::All(0x70) + (AtLeast(s1, 0xA0) & C::All(0x40));
    const C offset = s1 - base;
    const C oddRow = AtMost(s2, 0x9E);  // -1 there
    return (offset + offset + oddRow) | C::All(0x80);
  }

  static C Second(C s2, C /*s1*/) {
    const C oddJ2 = s2 - C::All(0x1F) + AtLeast(s2, 0x7F);
    return Select(AtMost(s2, 0x9E), oddJ2, s2 - C::All(0x7E)) | C::All(0x80);
  }
};

template <class Isa>
struct EUCToShiftJIS {
  using C = Chunk<Isa>;

  static ChunkClasses Classify(C bytes, C next) {
    const C singleShift = (bytes == C::All(0x8E)) | (bytes == C::All(0x8F));
    return {Bits(InRange(bytes, 0xA1, 0xFE)), Bits(InRange(next, 0xA1, 0xFE)), Bits(singleShift)};
  }

  static C First(C b, C /*c*/) {
    const C s1 = C{Isa::Average(b.raw, Isa::Splat(0x60))};  // (b + 0x61) / 2
    return s1 + (AtLeast(s1, 0xA0) & C::All(0x40));
  }

  static C Second(C c, C b) {
    const C oddRow = (b & C::All(1)) == C::All(1);
    // Odd rows take 0x5F less, one less again from E0 on (-1 there).
    const C shift = C::All(0x5F) + AtLeast(c, 0xE0);
    return c - C::All(2) - (oddRow & shift);
  }
};

// Converts Shift-JIS or EUC text at the start of `in` to `out` a chunk at a time,
// pairs and single bytes alike, up to a character left to the byte-wise routine or
// until no more than a chunk is left. A lead byte without a valid second byte keeps
// both, as the byte-wise routine does. Returns the bytes converted, the same count
// read and written; it ends on a character. `in` starts on a character.
template <class Isa, template <class> class Conversion>
std::size_t Convert(const std::uint8_t* in, std::uint8_t* out, std::size_t length) {
  using C = Chunk<Isa>;
  using Rule = Conversion<Isa>;
  constexpr std::size_t kWidth = Isa::kWidth;
  constexpr unsigned kLast = kWidth - 1;
  std::size_t done = 0;
  // Whether the previous chunk ended on a lead byte; its bytes, and where its pairs began.
  std::uint32_t leadAtEnd = 0;
  C previous = C::All(0);
  C previousPairs = C::All(0);
  while (length - done > kWidth) {
    const C bytes = C::Load(in + done);
    const C next = C::Load(in + done + 1);
    const ChunkClasses classes = Rule::Classify(bytes, next);
    const std::uint32_t leads = PairLeads<Isa>(classes.openers & ~leadAtEnd);
    const C pairs = MaskOf<Isa>(leads & classes.secondFits);
    const C seconds = ShiftedOn(pairs, previousPairs);
    Select(pairs, Rule::First(bytes, next),
           Select(seconds, Rule::Second(bytes, ShiftedOn(bytes, previous)), bytes))
        .Store(out + done);
    const std::uint32_t stops = classes.byteWise & ~((leads << 1) | leadAtEnd);
    if (stops != 0) [[unlikely]]
      return done + static_cast<std::size_t>(std::countr_zero(stops));
    leadAtEnd = leads >> kLast;
    previous = bytes;
    previousPairs = pairs;
    done += kWidth;
  }
  // A lead byte whose second byte was not converted goes back to the caller.
  return done - leadAtEnd;
}

}  // namespace mxt::engine::text_chunks
