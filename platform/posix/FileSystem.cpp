#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/IoError.h"
#include "platform/posix/ReadOnlyRule.h"

namespace mxt::platform {

namespace {

// A list or a value of extended attributes, sized by asking first; nothing on failure.
template <class Query>
std::optional<std::vector<char>> AttributeBytes(Query query) {
  for (;;) {
    const ssize_t size = query(nullptr, 0);
    if (size < 0) return std::nullopt;
    if (size == 0) return std::vector<char>();
    std::vector<char> bytes(static_cast<std::size_t>(size));
    const ssize_t got = query(bytes.data(), bytes.size());
    if (got >= 0) {
      bytes.resize(static_cast<std::size_t>(got));
      return bytes;
    }
    if (errno != ERANGE) return std::nullopt;  // grown since it was sized: ask again
  }
}

// A new file takes the access list its folder gives new files: one the model does not
// have would let others in.
constexpr char kAccessList[] = "system.posix_acl_access";

// Copies every extended attribute, access lists included, and drops an access list the
// copy had of its own; false when one could not be.
bool CopyAttributes(int from, int to) {
  const auto names =
      AttributeBytes([&](char* list, std::size_t size) { return ::flistxattr(from, list, size); });
  if (!names) return errno == ENOTSUP;
  bool copiedAccessList = false;
  for (std::size_t at = 0; at < names->size();) {
    const std::string_view name(names->data() + at);
    at += name.size() + 1;
    const auto value = AttributeBytes(
        [&](char* bytes, std::size_t size) { return ::fgetxattr(from, name.data(), bytes, size); });
    if (!value || ::fsetxattr(to, name.data(), value->data(), value->size(), 0) != 0) return false;
    copiedAccessList = copiedAccessList || name == kAccessList;
  }
  return copiedAccessList || ::fremovexattr(to, kAccessList) == 0 || errno == ENODATA ||
         errno == ENOTSUP;
}

// Only root may give a file away: elsewhere the new file stays the writer's.
void KeepOwner(int fd, const struct stat& old) {
  if (old.st_uid == ::geteuid() && old.st_gid == ::getegid()) return;
  [[maybe_unused]] const int refused = ::fchown(fd, old.st_uid, old.st_gid);
}

std::string ReadAll(OsFile& file) {
  std::string text;
  char block[4096];
  while (const std::size_t count = file.ReadBlock(block, sizeof block))
    text.append(block, count);
  return text;
}

void WriteFromStart(OsFile& file, std::string_view content) {
  file.Seek(0);
  file.WriteBlock(content.data(), content.size());
  file.Truncate();
  if (::fsync(file.Handle()) != 0) throw IoError(errno, file.Path());
}

// Writes the file over in place, where a new file cannot take its place. The room is
// reserved first, so that a full disk mostly stops the write before it starts; a write
// that fails on the way (a file size limit, an I/O error) puts the old text back.
void WriteOver(const std::string& target, std::string_view content) {
  const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) throw IoError(errno, target);
  OsFile file = OsFile::Adopt(fd, target);
  const std::string old = ReadAll(file);
  file.Reserve(static_cast<std::int64_t>(std::max(content.size(), old.size())));
  try {
    WriteFromStart(file, content);
  } catch (...) {
    try {
      WriteFromStart(file, old);
    } catch (...) {
    }
    throw;
  }
  file.Close();
}

}  // namespace

void DeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0) throw IoError(errno, path);
}

bool AddHardLink(const std::string& existing, const std::string& link) {
  if (::link(existing.c_str(), link.c_str()) == 0) return true;
  const int error = errno;
  if (error == EPERM || error == EXDEV || error == EMLINK || error == ENOTSUP) return false;
  throw IoError(error, link);
}

void ReplaceFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw IoError(errno, to);
}

void WriteWholeFile(const std::string& path, std::string_view content) {
  const std::string target = LinkTarget(path);
  struct stat old;
  const bool exists = ::lstat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) throw IoError(errno, target);
  if (exists && !S_ISREG(old.st_mode)) throw IoError(EINVAL, target);
  // A file made read-only stays as it is, though its folder would let a new one take its
  // place.
  if (exists && IsReadOnly(old, target)) throw IoError(EACCES, target);
  // A new file would leave the other names of a hard-linked one with the old content.
  if (exists && old.st_nlink > 1) return WriteOver(target, content);
  std::string next = target + ".XXXXXX";
  const int fd = ::mkostemp(next.data(), O_CLOEXEC);  // 0600
  // A writable file in a folder this user may not add to is written where it is.
  if (fd < 0 && errno == EACCES && exists) return WriteOver(target, content);
  if (fd < 0) throw IoError(errno, next);
  OsFile file = OsFile::Adopt(fd, next);
  try {
    if (exists) {
      KeepOwner(fd, old);
      if (::fchmod(fd, old.st_mode & 07777) != 0) throw IoError(errno, next);
    }
    file.WriteBlock(content.data(), content.size());
    if (::fsync(fd) != 0) throw IoError(errno, next);
    file.Close();
    ReplaceFile(next, target);
  } catch (...) {
    ::unlink(next.c_str());
    throw;
  }
}

std::string LinkTarget(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

std::string OpenedPath(const OsFile& file) {
  char path[PATH_MAX];
  const std::string link = "/proc/self/fd/" + std::to_string(file.Handle());
  const ssize_t length = ::readlink(link.c_str(), path, sizeof path);
  if (length <= 0 || static_cast<std::size_t>(length) == sizeof path || path[0] != '/') return "";
  return {path, static_cast<std::size_t>(length)};
}

bool MayRead(const std::string& path) {
  return ::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) == 0;
}

int CannotMakeFilesIn(const std::string& folder) {
  const char* path = folder.empty() ? "." : folder.c_str();
  return ::faccessat(AT_FDCWD, path, W_OK | X_OK, AT_EACCESS) == 0 ? 0 : errno;
}

int CannotMakeFile(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const long longest = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  if (longest > 0 && path.size() - folder.size() > static_cast<std::size_t>(longest))
    return ENAMETOOLONG;
  return CannotMakeFilesIn(folder);
}

bool CopyIdentity(OsFile& model, const FileIdentity& known, OsFile& file) {
  const FileIdentity has = file.Identity();
  // The owner first: giving a file away clears its set-user and set-group bits.
  const uid_t keep = static_cast<uid_t>(-1);
  const uid_t owner = known.owner == has.owner ? keep : known.owner;
  const gid_t group = known.group == has.group ? keep : known.group;
  if ((owner != keep || group != keep) && ::fchown(file.Handle(), owner, group) != 0) return false;
  if (::fchmod(file.Handle(), known.permissions) != 0) throw IoError(errno, file.Path());
  return CopyAttributes(model.Handle(), file.Handle());
}

bool TakeOverIdentity(OsFile& model, const FileIdentity& known, OsFile& file) {
  return known.links <= 1 && CopyIdentity(model, known, file);
}

bool SameFile(OsFile& a, OsFile& b) {
  return a.Identity().SameFileAs(b.Identity());
}

}  // namespace mxt::platform
