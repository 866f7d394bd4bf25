#include "platform/OsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/InOutError.h"

namespace mxt::platform {

namespace {

constexpr int kClosed = -1;

int OpenOrThrow(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw EInOutError(errno);
  return fd;
}

int OpenErrorCode(int error) {
  return error == EACCES || error == EPERM ? kErrorAccessDenied : error;
}

}  // namespace

OsFile OsFile::OpenForReading(const std::string& path) {
  return OsFile(OpenOrThrow(path, O_RDONLY));
}

OsFile OsFile::Create(const std::string& path) {
  return OsFile(OpenOrThrow(path, O_RDWR | O_CREAT | O_TRUNC, 0666));
}

namespace {

// Opens, then takes the lock every other MXT honours. Non-blocking, so that a name
// that has become a FIFO since it was checked cannot hold the program up; regular
// files behave the same either way.
OsFile OpenLocked(const std::string& path, int flags) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw EInOutError(OpenErrorCode(errno));
  OsFile file = OsFile::Adopt(fd);
  int locked;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) throw EInOutError(errno == EWOULDBLOCK ? kErrorSharingViolation : errno);
  return file;
}

}  // namespace

OsFile OsFile::OpenExclusive(const std::string& path, Access access) {
  return OpenLocked(path, access == Access::Read ? O_RDONLY : O_RDWR);
}

OsFile OsFile::OpenOrCreateExclusive(const std::string& path) {
  return OpenLocked(path, O_RDWR | O_CREAT);
}

OsFile OsFile::CreateNew(const std::string& path) {
  return OsFile(OpenOrThrow(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0600));
}

OsFile::OsFile(OsFile&& other) noexcept : handle_(std::exchange(other.handle_, kClosed)) {}

OsFile& OsFile::operator=(OsFile&& other) noexcept {
  if (this != &other) {
    if (handle_ != kClosed) ::close(handle_);
    handle_ = std::exchange(other.handle_, kClosed);
  }
  return *this;
}

OsFile::~OsFile() {
  if (handle_ != kClosed) ::close(handle_);
}

std::size_t OsFile::ReadBlock(void* data, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(handle_, data, size);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) throw EInOutError(errno);
  }
}

void OsFile::WriteBlock(const void* data, std::size_t size) {
  auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t count = ::write(handle_, bytes, size);
    if (count < 0) {
      if (errno == EINTR) continue;
      throw EInOutError(errno);
    }
    bytes += count;
    size -= static_cast<std::size_t>(count);
  }
}

std::int64_t OsFile::Size() {
  struct stat info;
  if (::fstat(handle_, &info) != 0) throw EInOutError(errno);
  return info.st_size;
}

void OsFile::Seek(std::int64_t position) {
  if (::lseek(handle_, position, SEEK_SET) < 0) throw EInOutError(errno);
}

void OsFile::Truncate() {
  const off_t position = ::lseek(handle_, 0, SEEK_CUR);
  if (position < 0 || ::ftruncate(handle_, position) != 0) throw EInOutError(errno);
}

FileTime OsFile::LastWriteTime() {
  struct stat info;
  if (::fstat(handle_, &info) != 0) throw EInOutError(errno);
  return {info.st_mtim.tv_sec, static_cast<std::int32_t>(info.st_mtim.tv_nsec)};
}

void OsFile::SetLastWriteTime(FileTime time) {
  const timespec times[2] = {{0, UTIME_OMIT}, {time.seconds, time.nanoseconds}};
  if (::futimens(handle_, times) != 0) throw EInOutError(errno);
}

void OsFile::Close() {
  const int handle = std::exchange(handle_, kClosed);
  if (handle != kClosed && ::close(handle) != 0) throw EInOutError(errno);
}

}  // namespace mxt::platform
