#pragma once

#include <stdexcept>

#include "app/MessageTexts.h"

namespace mxt::app {

// A dropped-files block that could not be made or delivered.
class DragDropError : public std::runtime_error {
 public:
  DragDropError() : std::runtime_error(message::kDragDropFailed) {}
};

}  // namespace mxt::app
