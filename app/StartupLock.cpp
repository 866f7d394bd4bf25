#include "app/StartupLock.h"

#include <chrono>
#include <exception>
#include <optional>

#include "platform/LockFile.h"

namespace mxt::app {

namespace {

std::optional<platform::LockFile> startupLock;

}  // namespace

void AcquireStartupMutex() {
  using namespace std::chrono_literals;
  try {
    startupLock = platform::LockFile::Lock(platform::kStartupLockName,
                                           platform::LockFile::Mode::Exclusive, 3000ms);
  } catch (const std::exception&) {
    startupLock.reset();  // without a runtime folder no other start waits on this one
  }
}

void ReleaseStartupMutex() {
  startupLock.reset();
}

}  // namespace mxt::app
