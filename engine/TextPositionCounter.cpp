#include "engine/TextPositionCounter.h"

#include <algorithm>
#include <iterator>

#include "engine/ByteClasses.h"

namespace mxt::engine {

namespace {

constexpr std::uint8_t kByteOrderMark[] = {0xEF, 0xBB, 0xBF};

// How many bytes after `b` belong to its character.
int TrailingBytes(KanjiCode code, std::uint8_t b) {
  switch (code) {
    case KanjiCode::ShiftJIS:
      return IsShiftJISLead(b) ? 1 : 0;
    case KanjiCode::EUC:
      return b == kSingleShift3 ? 2 : (b >= 0x80 ? 1 : 0);
    case KanjiCode::UTF8:
      return b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    default:
      return 0;
  }
}

bool IsLineEnd(std::uint8_t b) {
  return b == kLF || b == kCR;
}
bool IsEscape(std::uint8_t b) {
  return b == kEsc;
}

// Where the last byte that `is` is, or the size when there is none.
template <bool (*is)(std::uint8_t)>
std::size_t LastOf(std::span<const std::uint8_t> bytes) {
  for (std::size_t i = bytes.size(); i > 0; --i) {
    if (is(bytes[i - 1])) return i - 1;
  }
  return bytes.size();
}

// How many lines end in `bytes`, after a CR when `afterCR`. Branch-free and summed in
// runs short enough for a byte, so that the compiler counts many bytes at once.
std::int64_t LineEnds(std::span<const std::uint8_t> bytes, bool afterCR) {
  std::int64_t count = bytes[0] == kCR || (bytes[0] == kLF && !afterCR);
  constexpr std::size_t kRun = 240;  // whole vectors, and at most 255
  for (std::size_t run = 1; run < bytes.size(); run += kRun) {
    const std::size_t end = std::min(bytes.size(), run + kRun);
    std::uint8_t inRun = 0;
    for (std::size_t i = run; i < end; ++i)
      inRun += (bytes[i] == kCR) | ((bytes[i] == kLF) & (bytes[i - 1] != kCR));
    count += inRun;
  }
  return count;
}

}  // namespace

void TextPositionCounter::Count(std::span<const std::uint8_t> bytes) {
  if (!started_ && !bytes.empty()) {
    started_ = true;
    if (code_ == KanjiCode::UTF8 && bytes.size() >= std::size(kByteOrderMark) &&
        std::equal(std::begin(kByteOrderMark), std::end(kByteOrderMark), bytes.begin()))
      bytes = bytes.subspan(std::size(kByteOrderMark));
  }
  for (; escape_ != 0 && !bytes.empty(); bytes = bytes.subspan(1))
    CountJISByte(bytes.front());
  // No trail byte is a CR or an LF, so the characters before the last line end never
  // matter: only the lines are counted there. JIS's shift state is taken from the last
  // escape sequence before it.
  const std::size_t lastEnd = LastOf<IsLineEnd>(bytes);
  if (lastEnd < bytes.size()) {
    const std::size_t from =
        code_ == KanjiCode::JIS ? LastOf<IsEscape>(bytes.first(lastEnd)) : lastEnd;
    if (from > 0) {
      if (const std::int64_t ended = LineEnds(bytes.first(from), afterCR_); ended > 0) {
        next_.line += ended;
        next_.column = 1;
      }
      afterCR_ = bytes[from - 1] == kCR;
    }
    bytes = bytes.subspan(from);
  }
  if (code_ == KanjiCode::JIS) {
    for (const std::uint8_t b : bytes)
      CountJISByte(b);
  } else {
    for (const std::uint8_t b : bytes)
      CountByte(b);
  }
}

void TextPositionCounter::CountByte(std::uint8_t b) {
  if (b == kLF || b == kCR) {
    trailing_ = 0;
    CountNewline(b);
  } else if (trailing_ > 0) {
    --trailing_;
  } else {
    CountCharacter();
    trailing_ = TrailingBytes(code_, b);
  }
}

// Escape sequences as the JIS reader takes them: one it does not know passes as text.
void TextPositionCounter::CountJISByte(std::uint8_t b) {
  if (escape_ == kEsc) {
    escape_ = 0;
    if (b == 'K' || b == 'H') {
      inKanji_ = b == 'K';
      return;
    }
    if (b == '$' || b == '(') {
      escape_ = b;
      return;
    }
    CountCharacter();
  } else if (escape_ != 0) {
    const std::uint8_t second = escape_;
    escape_ = 0;
    if (second == '$' && (b == 'B' || b == '@')) {
      inKanji_ = true;
      return;
    }
    if (second == '(' && (b == 'J' || b == 'B' || b == 'H')) {
      inKanji_ = false;
      return;
    }
    CountCharacter();
    CountCharacter();
  }
  if (b == kEsc) {
    trailing_ = 0;
    escape_ = kEsc;
  } else if (IsJISControl(b)) {
    trailing_ = 0;
    if (b == kLF || b == kCR) {
      CountNewline(b);
    } else if (b != kShiftOut && b != kShiftIn) {
      CountCharacter();
    }
  } else if (trailing_ > 0) {
    --trailing_;
  } else {
    CountCharacter();
    trailing_ = inKanji_ ? 1 : 0;
  }
}

void TextPositionCounter::CountNewline(std::uint8_t b) {
  const bool secondOfCRLF = b == kLF && afterCR_;
  afterCR_ = b == kCR;
  if (secondOfCRLF) return;
  ++next_.line;
  next_.column = 1;
}

void TextPositionCounter::CountCharacter() {
  afterCR_ = false;
  last_ = next_;
  ++next_.column;
}

}  // namespace mxt::engine
