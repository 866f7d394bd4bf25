#include "app/StartupLock.h"

#include <chrono>
#include <optional>

#include "platform/LockFile.h"

namespace mxt::app {

namespace {

std::optional<platform::LockFile> startupLock;

}  // namespace

void AcquireStartupMutex() {
  using namespace std::chrono_literals;
  startupLock = platform::LockFile::Lock(platform::kStartupLockName,
                                         platform::LockFile::Mode::Exclusive, 3000ms);
}

void ReleaseStartupMutex() {
  startupLock.reset();
}

}  // namespace mxt::app
