#include "fileconv/TempFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>

#include "fileconv/MessageTexts.h"
#include "fileconv/UserError.h"
#include "platform/FileIdentity.h"
#include "platform/FileNameRule.h"
#include "platform/FileSystem.h"
#include "platform/FindFile.h"
#include "platform/IoError.h"
#include "platform/OsFile.h"
#include "platform/Process.h"
#include "platform/SystemPaths.h"

namespace mxt::fileconv {

namespace {

constexpr int kTries = 16;
constexpr char kViewCopyPrefix[] = "~MXV";
constexpr char kTempExtension[] = ".TMP";

std::string TempName(const std::string& dir, const std::string& prefix, int number) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%5.5d", number);
  return dir + "~" + prefix + digits + ".TMP";
}

// 64 bits from the system: where the short names are taken, by chance or by another user
// who made them all, nobody can take these before the run does.
std::string UnguessableName(const std::string& dir, const std::string& prefix) {
  std::random_device device;
  const std::uint64_t bits = (std::uint64_t{device()} << 32) | device();
  char digits[24];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(bits));
  return dir + "~" + prefix + digits + kTempExtension;
}

std::string ViewCopyName(const std::string& dir, const platform::ProcessStamp& owner,
                         std::uint32_t number) {
  char middle[64];
  std::snprintf(middle, sizeof middle, "%lld-%llu-%08x", static_cast<long long>(owner.id),
                static_cast<unsigned long long>(owner.started), number);
  return dir + kViewCopyPrefix + middle + kTempExtension;
}

// The process a viewer copy's name says made it; nothing for a name not made so.
std::optional<platform::ProcessStamp> ViewCopyOwner(const std::string& name) {
  long long id = 0;
  unsigned long long started = 0;
  unsigned number = 0;
  int end = 0;
  const std::string format = std::string(kViewCopyPrefix) + "%lld-%llu-%8x" + kTempExtension + "%n";
  if (std::sscanf(name.c_str(), format.c_str(), &id, &started, &number, &end) != 3 ||
      static_cast<std::size_t>(end) != name.size() ||
      name != ViewCopyName("", {id, started}, number)) {
    return std::nullopt;
  }
  return platform::ProcessStamp{id, started};
}

std::optional<platform::OsFile> CreatedNew(const std::string& name) {
  try {
    return platform::OsFile::CreateNew(name);
  } catch (const platform::IoError& error) {
    if (error.Code() != EEXIST) throw;
    return std::nullopt;
  }
}

}  // namespace

TempNumberSource SystemTempNumbers() {
  return [generator = std::mt19937{std::random_device{}()}]() mutable {
    return std::uniform_int_distribution<int>(0, 99999)(generator);
  };
}

// Creating the file is what reserves the name: a name merely checked could be taken, or
// planted as a link, before the conversion opens it.
platform::OsFile CreateTempFile(const std::string& prefix, const std::string& dir,
                                const TempNumberSource& draw, std::string& name) {
  const std::string shortPrefix = prefix.substr(0, 2);
  for (int i = 0; i < 2 * kTries; ++i) {
    name = i < kTries ? TempName(dir, shortPrefix, draw()) : UnguessableName(dir, shortPrefix);
    if (auto file = CreatedNew(name)) return std::move(*file);
  }
  throw UserError(message::kCannotCreateTemp);
}

std::string DefaultTempDir() {
  const std::string dir = platform::TempDirectory();
  return dir.empty() ? std::string(".") + platform::SystemFileNameRule().separator : dir;
}

std::string MakeTempFileName(const std::string& prefix, const std::string& dir,
                             const TempNumberSource& draw) {
  std::string name;
  CreateTempFile(prefix, dir, draw, name).Close();
  return name;
}

platform::OsFile CreateViewCopy(const std::string& dir, std::string& name) {
  const platform::ProcessStamp self = platform::ThisProcess();
  std::random_device device;
  for (int i = 0; i < kTries; ++i) {
    name = ViewCopyName(dir, self, device());
    if (auto file = CreatedNew(name)) return std::move(*file);
  }
  throw UserError(message::kCannotCreateTemp);
}

std::size_t RemoveLeftViewCopies(const std::string& dir) {
  const std::uint32_t user = platform::ThisUser();
  std::size_t removed = 0;
  for (const platform::FindData& found :
       platform::FindFiles(dir + kViewCopyPrefix + "*" + kTempExtension)) {
    const auto owner = ViewCopyOwner(found.name);
    if (!owner || !platform::ProcessEnded(*owner)) continue;
    const std::string path = dir + found.name;
    const auto entry = platform::EntryIdentity(path);
    if (!entry || entry->kind != platform::FileKind::Regular || entry->owner != user) continue;
    try {
      platform::DeleteFile(path);
      ++removed;
    } catch (const std::exception&) {
      // Gone meanwhile, or in a folder this user may not change: nothing lost either way.
    }
  }
  return removed;
}

}  // namespace mxt::fileconv
