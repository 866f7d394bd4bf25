#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mxt::testing {

// A byte source and sink over strings, for running a stream routine on its own.
class MemoryStream {
 public:
  explicit MemoryStream(std::string_view input) : input_(input) {}

  int ReadByte() {
    if (position_ == input_.size()) return -1;
    return static_cast<std::uint8_t>(input_[position_++]);
  }
  void WriteByte(std::uint8_t b) { output_.push_back(static_cast<char>(b)); }

  const std::string& Output() const { return output_; }
  std::int64_t InputOffset() const { return static_cast<std::int64_t>(position_); }

 private:
  std::string_view input_;
  std::size_t position_ = 0;
  std::string output_;
};

}  // namespace mxt::testing
