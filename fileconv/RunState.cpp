#include "fileconv/RunState.h"

namespace mxt::fileconv {

RunFlags RunStatus;

void ResetRunFlags() {
  RunStatus = RunFlags{};
}

}  // namespace mxt::fileconv
