#pragma once

#include <concepts>
#include <cstdint>

#include "engine/AsciiRuns.h"
#include "engine/PairRuns.h"

namespace mxt::engine {

// A byte source and sink. The routines are templates over it so that the per-byte
// calls inline and the cursors stay in registers.
template <class S>
concept ByteStream = requires(S& s, std::uint8_t b) {
  { s.ReadByte() } -> std::same_as<int>;  // 0-255, or -1 at the end of the input
  s.WriteByte(b);
};

// Two bytes of one character: a stream may take both with one check for room.
template <ByteStream S>
void WritePair(S& s, std::uint8_t first, std::uint8_t second) {
  if constexpr (requires { s.WritePair(first, second); }) {
    s.WritePair(first, second);
  } else {
    s.WriteByte(first);
    s.WriteByte(second);
  }
}

struct PairRunConverter {
  PairRun run;
  std::size_t operator()(const std::uint8_t* in, std::uint8_t* out, std::size_t length) const {
    return engine::ConvertPairRuns(in, out, length, run);
  }
};

// After a pair, converts as much of the text that follows as goes a chunk at a time,
// where the stream lets it be converted in place.
template <ByteStream S>
void ConvertRunsInPlace(S& s, PairRun run) {
  if constexpr (requires(const PairRunConverter& convert) { s.ConvertInPlace(convert); }) {
    s.ConvertInPlace(PairRunConverter{run});
  }
}

// After an ASCII byte, copies the rest of its run a chunk at a time where the stream lets
// it be done in place.
template <ByteStream S>
void CopyAsciiRunsInPlace(S& s) {
  if constexpr (requires { s.ConvertInPlace(CopyAsciiRun); }) s.ConvertInPlace(CopyAsciiRun);
}

// The same for JIS text outside kanji mode and shift-out.
template <ByteStream S>
void CopyJISTextRunsInPlace(S& s) {
  if constexpr (requires { s.ConvertInPlace(CopyJISTextRun); }) s.ConvertInPlace(CopyJISTextRun);
}

}  // namespace mxt::engine
