#pragma once

#include <optional>

#include "platform/LockFile.h"

namespace mxt::app {

// Held from just before the main window is made until its first idle moment, so that a
// second start waits before it looks for the window.
class StartupLock {
 public:
  // Waits up to 3000 ms for another starting instance. Without a runtime folder nothing
  // is held: no other start waits on this one then.
  void Acquire();
  // Does nothing when nothing is held.
  void Release() { lock_.reset(); }

 private:
  std::optional<platform::LockFile> lock_;
};

}  // namespace mxt::app
