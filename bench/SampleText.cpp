#include "bench/SampleText.h"

#include <random>

namespace mxt::bench {

// EUC text shaped like Japanese prose: lines of kanji and hiragana runs, some
// katakana words, punctuation, and now and then an ASCII word or number.
std::string GenerateEUCText(std::size_t size) {
  std::mt19937 random(64);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto put = [](std::string& text, int row, int cell) {
    text += static_cast<char>(0xA0 + row);
    text += static_cast<char>(0xA0 + cell);
  };
  std::string text;
  text.reserve(size + 4096);
  while (text.size() < size) {
    const int runs = pick(4, 24);
    for (int r = 0; r < runs; ++r) {
      const int kind = pick(0, 99);
      const int length = pick(1, 5);
      for (int i = 0; i < length; ++i) {
        if (kind < 40) {
          put(text, pick(16, 46), pick(1, 94));  // kanji
        } else if (kind < 80) {
          put(text, 4, pick(1, 83));  // hiragana
        } else if (kind < 90) {
          put(text, 5, pick(1, 86));  // katakana
        } else if (kind < 95) {
          text += static_cast<char>(pick(0, 1) ? pick('a', 'z') : pick('0', '9'));
        } else {
          put(text, 1, pick(1, 3));  // space, comma, full stop
          break;
        }
      }
    }
    put(text, 1, 3);
    text += '\n';
  }
  return text;
}

}  // namespace mxt::bench
