#pragma once

namespace mxt::fileconv {

// A value outside low..high becomes 0, not the nearer bound: 0 is every setting's default.
template <typename Number>
void CheckRange(Number& value, Number low, Number high) {
  if (value < low || value > high) value = 0;
}

}  // namespace mxt::fileconv
