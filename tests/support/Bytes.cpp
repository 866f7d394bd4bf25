#include "tests/support/Bytes.h"

#include <cstdio>
#include <stdexcept>

namespace mxt::testing {

std::string Bytes(std::string_view notation) {
  std::string bytes;
  std::size_t i = 0;
  while (i < notation.size()) {
    if (notation[i] == ' ') {
      ++i;
    } else if (notation[i] == '\'') {
      const std::size_t close = notation.find('\'', i + 1);
      if (close == std::string_view::npos) throw std::invalid_argument("unclosed quote");
      bytes.append(notation.substr(i + 1, close - i - 1));
      i = close + 1;
    } else if (notation.substr(i, 3) == "ESC") {
      bytes.push_back('\x1B');
      i += 3;
    } else if (notation.substr(i, 2) == "SO") {
      bytes.push_back('\x0E');
      i += 2;
    } else if (notation.substr(i, 2) == "SI") {
      bytes.push_back('\x0F');
      i += 2;
    } else {
      bytes.push_back(
          static_cast<char>(std::stoi(std::string(notation.substr(i, 2)), nullptr, 16)));
      i += 2;
    }
  }
  return bytes;
}

std::string Notation(std::string_view bytes) {
  std::string text;
  for (const char ch : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(ch));
    text += hex;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

}  // namespace mxt::testing
