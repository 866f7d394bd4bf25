#include "platform/LockFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

#include "platform/IoError.h"
#include "platform/SystemPaths.h"

namespace mxt::platform {

namespace {

constexpr int kReleased = -1;
constexpr auto kPollInterval = std::chrono::milliseconds(20);

}  // namespace

std::optional<LockFile> LockFile::TryLockHandle(int handle, const std::string& path, Mode mode) {
  LockFile lock(handle);
  const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
  while (::flock(handle, operation) != 0) {
    if (errno == EWOULDBLOCK) return std::nullopt;
    if (errno != EINTR) throw IoError(errno, path);
  }
  return lock;
}

template <class Attempt>
std::optional<LockFile> LockFile::Retried(Attempt attempt, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto lock = attempt()) return lock;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
}

std::optional<LockFile> LockFile::TryLock(const std::string& name, Mode mode) {
  const std::string path = RuntimeDirectory() + name;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) throw IoError(errno, path);
  return TryLockHandle(fd, path, mode);
}

std::optional<LockFile> LockFile::Lock(const std::string& name, Mode mode,
                                       std::chrono::milliseconds timeout) {
  return Retried([&] { return TryLock(name, mode); }, timeout);
}

std::optional<LockFile> LockFile::LockFolder(const std::string& folder,
                                             std::chrono::milliseconds timeout) {
  return Retried(
      [&]() -> std::optional<LockFile> {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) throw IoError(errno, folder);
        return TryLockHandle(fd, folder, Mode::Exclusive);
      },
      timeout);
}

LockFile::LockFile(LockFile&& other) noexcept : handle_(std::exchange(other.handle_, kReleased)) {}

LockFile& LockFile::operator=(LockFile&& other) noexcept {
  if (this != &other) {
    if (handle_ != kReleased) ::close(handle_);
    handle_ = std::exchange(other.handle_, kReleased);
  }
  return *this;
}

// Closing the only descriptor releases the lock.
LockFile::~LockFile() {
  if (handle_ != kReleased) ::close(handle_);
}

}  // namespace mxt::platform
