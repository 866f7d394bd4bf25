#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace mxt::platform {

// Held shared by every running instance.
inline constexpr char kInstanceLockName[] = "MXTW32_MUTEX";
// Held exclusively by an instance while it starts.
inline constexpr char kStartupLockName[] = "MXTW32FORM_MUTEX";
// Held exclusively by the instance that answers on the hand-over channel.
inline constexpr char kChannelLockName[] = "TMXTWClass.lock";

// A lock shared by the processes of this user, named like a system-wide mutex. It is
// released when the object goes, and by the system when the process ends.
class LockFile {
 public:
  enum class Mode { Shared, Exclusive };

  // Nothing when another holder's lock conflicts with `mode`. Raises IoError when the
  // lock cannot be made at all.
  static std::optional<LockFile> TryLock(const std::string& name, Mode mode);
  // Waits up to `timeout` for a conflicting holder to let go.
  static std::optional<LockFile> Lock(const std::string& name, Mode mode,
                                      std::chrono::milliseconds timeout);
  // Locks a folder itself against the others that lock it so, waiting up to `timeout`:
  // for work on the files in it that must not meet the same work of another process.
  static std::optional<LockFile> LockFolder(const std::string& folder,
                                            std::chrono::milliseconds timeout);

  LockFile(LockFile&& other) noexcept;
  LockFile& operator=(LockFile&& other) noexcept;
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;
  ~LockFile();

 private:
  explicit LockFile(int handle) : handle_(handle) {}
  // Takes the lock on an open handle, or nothing when another holds it.
  static std::optional<LockFile> TryLockHandle(int handle, const std::string& path, Mode mode);
  template <class Attempt>
  static std::optional<LockFile> Retried(Attempt attempt, std::chrono::milliseconds timeout);

  int handle_;
};

}  // namespace mxt::platform
