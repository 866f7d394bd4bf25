#include "fileconv/TempFile.h"

#include <cerrno>
#include <cstdio>
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
  for (int i = 0; i < kTries; ++i) {
    name = TempName(dir, shortPrefix, draw());
    try {
      return platform::OsFile::CreateNew(name);
    } catch (const platform::IoError& error) {
      if (error.Code() != EEXIST) throw;
    }
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
