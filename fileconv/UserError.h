#pragma once

#include <stdexcept>

namespace mxt::fileconv {

// A failure of the program's own, carrying the message shown to the user.
class UserError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace mxt::fileconv
