#pragma once

#include <stdexcept>

namespace mxt::app {

// A dropped-files block that could not be made or delivered.
class DragDropError : public std::runtime_error {
 public:
  DragDropError() : std::runtime_error("Drag && Drop の処理に失敗しました") {}
};

}  // namespace mxt::app
