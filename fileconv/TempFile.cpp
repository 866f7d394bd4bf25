#include "fileconv/TempFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>

#include "fileconv/UserError.h"
#include "platform/FileNameRule.h"
#include "platform/IoError.h"
#include "platform/OsFile.h"
#include "platform/SystemPaths.h"

namespace mxt::fileconv {

namespace {

constexpr int kTries = 16;

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
  return dir + "~" + prefix + digits + ".TMP";
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
  throw UserError("テンポラリファイルを作成できません");
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

}  // namespace mxt::fileconv
