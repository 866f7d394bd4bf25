#pragma once

#include <stdexcept>

namespace mxt::app {

// A dropped-files block that could not be made or delivered.
class EDragDropError : public std::runtime_error {
 public:
  EDragDropError() : std::runtime_error("Drag && Drop の処理に失敗しました") {}
};

}  // namespace mxt::app
