#pragma once

#include <cstdint>

#include "engine/ByteClasses.h"
#include "engine/ByteStream.h"
#include "engine/EscapeSequence.h"

namespace mxt::engine {

template <ByteStream S>
void WriteDesignator(S& s, Designator designator) {
  s.WriteByte(kEsc);
  s.WriteByte(designator.first);
  if (designator.second != 0) s.WriteByte(designator.second);
}

// The output side of the JIS writers: at most one of kanji mode and shift-out is
// open, and a new file starts with neither.
template <ByteStream S>
class JISModeWriter {
 public:
  JISModeWriter(S& s, EscapeSequence escapes) : s_(s), escapes_(escapes) {}

  bool KanjiOpen() const { return kanjiOpen_; }
  bool ShiftOutOpen() const { return shiftOutOpen_; }

  // Writes the close of whichever mode is open.
  void Close() {
    if (shiftOutOpen_) {
      s_.WriteByte(kShiftIn);
    } else if (kanjiOpen_) {
      WriteDesignator(s_, escapes_.kanjiOut);
    }
    kanjiOpen_ = shiftOutOpen_ = false;
  }
  void OpenKanji() {
    if (kanjiOpen_) return;
    CloseShiftOut();
    WriteDesignator(s_, escapes_.kanjiIn);
    kanjiOpen_ = true;
  }
  void CloseKanji() {
    if (!kanjiOpen_) return;
    WriteDesignator(s_, escapes_.kanjiOut);
    kanjiOpen_ = false;
  }
  void OpenShiftOut() {
    if (shiftOutOpen_) return;
    s_.WriteByte(kShiftOut);
    shiftOutOpen_ = true;
  }
  void CloseShiftOut() {
    if (!shiftOutOpen_) return;
    s_.WriteByte(kShiftIn);
    shiftOutOpen_ = false;
  }
  // A half-width katakana in the 8-bit form, outside kanji mode.
  void WriteKatakana(std::uint8_t b, bool sevenBitMode) {
    CloseKanji();
    if (sevenBitMode) {
      OpenShiftOut();
      s_.WriteByte(b & 0x7F);
    } else {
      s_.WriteByte(b);
    }
  }

 private:
  S& s_;
  const EscapeSequence escapes_;
  bool kanjiOpen_ = false;
  bool shiftOutOpen_ = false;
};

}  // namespace mxt::engine
