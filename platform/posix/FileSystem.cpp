#include "platform/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/InOutError.h"

namespace mxt::platform {

void DeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0) throw EInOutError(errno);
}

void ReplaceFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw EInOutError(errno);
}

std::string LinkTarget(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

void CopyModeAndOwner(OsFile& model, OsFile& file) {
  struct stat wanted;
  struct stat has;
  if (::fstat(model.Handle(), &wanted) != 0 || ::fstat(file.Handle(), &has) != 0) {
    throw EInOutError(errno);
  }
  // Only root may give a file away; everyone else keeps the file as their own.
  static const bool mayChangeOwner = ::geteuid() == 0;
  const bool sameOwner = wanted.st_uid == has.st_uid && wanted.st_gid == has.st_gid;
  if (mayChangeOwner && !sameOwner && ::fchown(file.Handle(), wanted.st_uid, wanted.st_gid) != 0) {
    throw EInOutError(errno);
  }
  if (::fchmod(file.Handle(), wanted.st_mode & 07777) != 0) throw EInOutError(errno);
}

bool SameFile(OsFile& a, OsFile& b) {
  struct stat first;
  struct stat second;
  if (::fstat(a.Handle(), &first) != 0 || ::fstat(b.Handle(), &second) != 0) {
    throw EInOutError(errno);
  }
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace mxt::platform
