#include "platform/InOutError.h"

#include <string>

namespace mxt::platform {

EInOutError::EInOutError(int osCode)
    : std::runtime_error("I/O ｴﾗｰ (" + std::to_string(osCode) + ")"), code_(osCode) {}

}  // namespace mxt::platform
