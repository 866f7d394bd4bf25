#include "app/StartupLock.h"

#include <chrono>
#include <exception>

namespace mxt::app {

void StartupLock::Acquire() {
  using namespace std::chrono_literals;
  try {
    lock_ = platform::LockFile::Lock(platform::kStartupLockName,
                                     platform::LockFile::Mode::Exclusive, 3000ms);
  } catch (const std::exception&) {
    lock_.reset();
  }
}

}  // namespace mxt::app
