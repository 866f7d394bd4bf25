#pragma once

#include <cstddef>
#include <string>

namespace mxt::bench {

// At least `size` bytes of EUC text shaped like Japanese prose: lines of kanji and
// hiragana runs, some katakana words, punctuation, now and then an ASCII word or number.
// The same size gives the same text.
std::string GenerateEUCText(std::size_t size);

}  // namespace mxt::bench
