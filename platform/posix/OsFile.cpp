#include "platform/OsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <utility>

#include "platform/IoError.h"

namespace mxt::platform {

namespace {

constexpr int kClosed = -1;

int OpenOrThrow(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw IoError(errno, path);
  return fd;
}

int OpenErrorCode(int error, int flags) {
  if (error == ELOOP && (flags & O_NOFOLLOW)) return kErrorLinkRefused;
  return error == EACCES || error == EPERM ? kErrorAccessDenied : error;
}

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::Regular;
  if (S_ISDIR(mode)) return FileKind::Directory;
  if (S_ISLNK(mode)) return FileKind::Link;
  return FileKind::Other;
}

FileIdentity IdentityFrom(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev),
          static_cast<std::uint64_t>(info.st_ino),
          KindOf(info.st_mode),
          static_cast<std::uint64_t>(info.st_nlink),
          static_cast<std::uint32_t>(info.st_mode & 07777),
          info.st_uid,
          info.st_gid,
          info.st_size,
          {info.st_mtim.tv_sec, static_cast<std::int32_t>(info.st_mtim.tv_nsec)},
          {info.st_atim.tv_sec, static_cast<std::int32_t>(info.st_atim.tv_nsec)}};
}

// Opens, then takes the lock every other MXT honours. Non-blocking, so that a name
// that has become a FIFO since it was checked cannot hold the program up; regular
// files behave the same either way.
OsFile OpenLocked(const std::string& path, int flags) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw IoError(OpenErrorCode(errno, flags), path, errno);
  OsFile file = OsFile::Adopt(fd, path);
  int locked;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    if (errno == EWOULDBLOCK) throw IoError(kErrorSharingViolation, path, errno);
    throw IoError(errno, path);
  }
  return file;
}

}  // namespace

std::optional<FileIdentity> FileIdentityOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return IdentityFrom(info);
}

std::optional<FileIdentity> EntryIdentity(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  return IdentityFrom(info);
}

OsFile OsFile::OpenForReading(const std::string& path) {
  return OsFile(OpenOrThrow(path, O_RDONLY | O_NONBLOCK), path);
}

OsFile OsFile::Create(const std::string& path) {
  return OsFile(OpenOrThrow(path, O_RDWR | O_CREAT | O_TRUNC, 0666), path);
}

OsFile OsFile::OpenExclusive(const std::string& path, Access access, LastLink lastLink) {
  const int follow = lastLink == LastLink::Refused ? O_NOFOLLOW : 0;
  return OpenLocked(path, (access == Access::Read ? O_RDONLY : O_RDWR) | follow);
}

OsFile OsFile::OpenOrCreateExclusive(const std::string& path) {
  return OpenLocked(path, O_RDWR | O_CREAT);
}

OsFile OsFile::CreateNew(const std::string& path) {
  return OsFile(OpenOrThrow(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0600), path);
}

OsFile::OsFile(OsFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kClosed)), path_(std::move(other.path_)) {}

OsFile& OsFile::operator=(OsFile&& other) noexcept {
  if (this != &other) {
    if (handle_ != kClosed) ::close(handle_);
    handle_ = std::exchange(other.handle_, kClosed);
    path_ = std::move(other.path_);
  }
  return *this;
}

OsFile::~OsFile() {
  if (handle_ != kClosed) ::close(handle_);
}

void OsFile::Fail(int error) const {
  throw IoError(error, path_);
}

OsFile OsFile::CreateUnnamed(const std::string& folder) {
  const int handle = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR, 0600);
  if (handle >= 0) return OsFile(handle, folder);
  // A file system without unnamed files gets a private name, removed at once.
  std::string name = (folder.empty() ? std::string(".") : folder) + "/mxt-XXXXXX";
  const int named = ::mkstemp(name.data());
  if (named < 0) throw IoError(errno, folder);
  ::unlink(name.c_str());
  return OsFile(named, folder);
}

void OsFile::WidenPipe() {
  constexpr int kWidest = 1 << 20;  // what an ordinary user may ask for by default
  ::fcntl(handle_, F_SETPIPE_SZ, kWidest);
}

std::optional<std::int64_t> OsFile::EndOfRegularFile() const {
  struct stat info;
  if (::fstat(handle_, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  // Opened to append, it writes at its end whatever its offset says.
  const int flags = ::fcntl(handle_, F_GETFL);
  if (flags < 0) return std::nullopt;
  if (flags & O_APPEND) return info.st_size;
  const std::int64_t position = Position();
  if (position != info.st_size) return std::nullopt;
  return position;
}

void OsFile::SendRestTo(OsFile& target) {
  for (;;) {
    const ssize_t sent = ::sendfile(target.handle_, handle_, nullptr, std::size_t{1} << 30);
    if (sent > 0) continue;
    if (sent == 0) return;
    if (errno == EINTR) continue;
    if (errno != EINVAL && errno != ENOSYS) target.Fail(errno);
    break;
  }
  char buffer[64 * 1024];
  for (std::size_t count; (count = ReadBlock(buffer, sizeof buffer)) > 0;)
    target.WriteBlock(buffer, count);
}

std::size_t OsFile::ReadBlock(void* data, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(handle_, data, size);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) Fail(errno);
  }
}

void OsFile::WriteBlock(const void* data, std::size_t size) {
  auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t count = ::write(handle_, bytes, size);
    if (count < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    bytes += count;
    size -= static_cast<std::size_t>(count);
  }
}

std::int64_t OsFile::Size() {
  return Identity().size;
}

std::int64_t OsFile::Position() const {
  return ::lseek(handle_, 0, SEEK_CUR);
}

void OsFile::Seek(std::int64_t position) {
  if (::lseek(handle_, position, SEEK_SET) < 0) Fail(errno);
}

void OsFile::Truncate() {
  const off_t position = ::lseek(handle_, 0, SEEK_CUR);
  if (position < 0 || ::ftruncate(handle_, position) != 0) Fail(errno);
}

FileTime OsFile::LastWriteTime() {
  return Identity().lastWrite;
}

void OsFile::SetLastWriteTime(FileTime time) {
  SetTimes({0, UTIME_OMIT}, time);
}

void OsFile::SetTimes(FileTime lastAccess, FileTime lastWrite) {
  const timespec times[2] = {{lastAccess.seconds, lastAccess.nanoseconds},
                             {lastWrite.seconds, lastWrite.nanoseconds}};
  if (::futimens(handle_, times) != 0) Fail(errno);
}

void OsFile::LeaveAccessTime() {
  const int flags = ::fcntl(handle_, F_GETFL);
  if (flags >= 0) ::fcntl(handle_, F_SETFL, flags | O_NOATIME);
}

FileIdentity OsFile::Identity() {
  struct stat info;
  if (::fstat(handle_, &info) != 0) Fail(errno);
  return IdentityFrom(info);
}

void OsFile::Reserve(std::int64_t size) {
  if (size <= 0) return;
  // The size stays: a file cut short now would no longer be the file it was.
  if (::fallocate(handle_, FALLOC_FL_KEEP_SIZE, 0, size) == 0) return;
  // A file system that cannot reserve space only loses the early warning.
  if (errno != EOPNOTSUPP && errno != ENOSYS) Fail(errno);
}

// A write lease: the kernel holds back other opens of the file until it is given up. Its
// break is announced by SIGIO, which would end the program, so SIGIO is ignored meanwhile.
OsFile::OthersKeptOut::OthersKeptOut(OsFile& file) : handle_(file.handle_), leased_(false) {
  ::signal(SIGIO, SIG_IGN);
  // Another program may have the file open for a moment, a shell appending a line: it is
  // given up to a second to finish, and only one that keeps it open longer is not waited for.
  constexpr int kTries = 200;
  constexpr auto kPause = std::chrono::milliseconds(5);
  for (int tries = 0; tries < kTries; ++tries) {
    leased_ = ::fcntl(handle_, F_SETLEASE, F_WRLCK) == 0;
    if (leased_ || errno != EAGAIN) return;
    std::this_thread::sleep_for(kPause);
  }
}

OsFile::OthersKeptOut::~OthersKeptOut() {
  if (leased_) ::fcntl(handle_, F_SETLEASE, F_UNLCK);
  ::signal(SIGIO, SIG_DFL);
}

void OsFile::Close() {
  const int handle = std::exchange(handle_, kClosed);
  if (handle != kClosed && ::close(handle) != 0) Fail(errno);
}

}  // namespace mxt::platform
