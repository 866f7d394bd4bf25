#pragma once

#include <stdexcept>

namespace mxt::platform {

// A failed file operation, carrying the operating system's error code.
class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(int osCode);

  int Code() const noexcept { return code_; }

 private:
  int code_;
};

}  // namespace mxt::platform
