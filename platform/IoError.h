#pragma once

#include <stdexcept>
#include <string_view>

namespace mxt::platform {

// A failed file operation, carrying the operating system's error code. Its text names
// the code, the system's own words for the failure and, where known, the file.
class IoError : public std::runtime_error {
 public:
  // `systemError` is the system's error number behind a code that stands for it (as
  // kErrorAccessDenied does for EACCES); by default the code itself.
  explicit IoError(int osCode, std::string_view path = {}, int systemError = -1);

  int Code() const noexcept { return code_; }

 private:
  int code_;
};

}  // namespace mxt::platform
