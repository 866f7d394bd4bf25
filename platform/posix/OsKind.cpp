#include "platform/OsKind.h"

namespace mxt::platform {

OsKindInfo DetectOsKind() {
  return {3, false};
}

}  // namespace mxt::platform
