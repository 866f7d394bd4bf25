#pragma once

#include <sys/stat.h>

#include <set>
#include <string>

namespace mxt::testing {

// A fresh folder under /tmp, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::string& Path() const { return path_; }
  // The path of `name` inside the folder.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// What the system says of a path, its link followed or (LinkStatOf) not; a failure fails
// the test.
struct stat StatOf(const std::string& path);
struct stat LinkStatOf(const std::string& path);

// The names in a folder, hidden ones left out.
std::set<std::string> FolderContent(const std::string& folder);

// Writes `content` to a new file at `path`.
void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv();

 private:
  std::string name_;
  bool had_;
  std::string old_;
};

}  // namespace mxt::testing
