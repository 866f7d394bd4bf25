#include "platform/SystemPaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/FullPath.h"
#include "platform/IoError.h"

namespace mxt::platform {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// A relative folder in an XDG variable is ignored, as the XDG rules say: it would name
// another folder after every change of the current one, and settings would be saved
// elsewhere than they were read.
std::string XdgDirectory(const char* name) {
  std::string folder = Environment(name);
  return folder.starts_with('/') ? folder : std::string();
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string HomeDirectory() {
  std::string home = Environment("HOME");
  if (home.empty()) {
    if (const passwd* entry = ::getpwuid(::getuid())) home = entry->pw_dir;
  }
  return home;
}

// Makes the folder private to this user, its parents too, or refuses one that someone else
// could have planted.
void MakePrivateDirectory(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno == ENOENT) {
    std::error_code ignored;  // what cannot be made fails below
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    ::mkdir(path.c_str(), 0700);
  }
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) throw IoError(errno, path);
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) throw IoError(EPERM, path);
  if ((info.st_mode & 0777) != 0700 && ::chmod(path.c_str(), 0700) != 0) {
    throw IoError(errno, path);
  }
}

}  // namespace

std::string TempDirectory() {
  for (const std::string& candidate : {Environment("TMPDIR"), std::string("/tmp")}) {
    if (!candidate.empty() && IsDirectory(candidate)) return WithSeparator(candidate);
  }
  return "";
}

std::string ProgramPath() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) throw IoError(errno);
    if (static_cast<std::size_t>(length) < buffer.size())
      return {buffer.data(), buffer.data() + length};
    buffer.resize(buffer.size() * 2);
  }
}

std::string UserCacheDirectory() {
  const std::string cache = XdgDirectory("XDG_CACHE_HOME");
  if (!cache.empty()) return cache;
  return HomeDirectory() + "/.cache";
}

std::string UserConfigDirectory() {
  const std::string config = XdgDirectory("XDG_CONFIG_HOME");
  if (!config.empty()) return config;
  return HomeDirectory() + "/.config";
}

std::string FirstPrivateDirectory(const std::vector<std::string>& candidates) {
  std::optional<IoError> refused;
  for (const std::string& path : candidates) {
    try {
      MakePrivateDirectory(path);
      return path + '/';
    } catch (const IoError& error) {
      refused = error;
    }
  }
  throw refused.value_or(IoError(ENOENT));
}

std::string RuntimeDirectory() {
  const std::string runtime = XdgDirectory("XDG_RUNTIME_DIR");
  if (!runtime.empty()) return FirstPrivateDirectory({WithSeparator(runtime) + "MXT"});
  // Anyone may make the name in /tmp first; only this user can make one in their cache.
  return FirstPrivateDirectory(
      {"/tmp/MXT-" + std::to_string(::getuid()), UserCacheDirectory() + "/MXT-runtime"});
}

const char* DefaultViewerProgram() {
  return "xdg-open";
}

}  // namespace mxt::platform
