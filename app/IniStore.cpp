#include "app/IniStore.h"

#include <cerrno>
#include <filesystem>
#include <utility>

#include "app/ProfileText.h"
#include "fileconv/PathText.h"
#include "fileconv/UserError.h"
#include "platform/IoError.h"
#include "platform/OsFile.h"
#include "platform/SystemPaths.h"
#include "platform/SystemString.h"

namespace mxt::app {

namespace {

using fileconv::UserError;

// Built by appending: g++ 12 warns falsely about a literal plus a temporary string.
std::string Quoted(std::string_view name) {
  std::string quoted(1, '\'');
  quoted += name;
  quoted += '\'';
  return quoted;
}

// No settings file of ours comes near this; more is not a settings file.
constexpr std::size_t kMostStoreBytes = 1 << 20;

// The store's text; nothing when the file is no store to read: not a regular file (a FIFO
// would hold the start up, a link to /dev/zero would never end), or too large.
std::optional<std::string> ReadStoreText(const std::string& path) {
  platform::OsFile file = platform::OsFile::OpenForReading(path);
  if (file.Identity().kind != platform::FileKind::Regular) return std::nullopt;
  std::string text;
  char block[4096];
  while (const std::size_t count = file.ReadBlock(block, sizeof block)) {
    text.append(block, count);
    if (text.size() > kMostStoreBytes) return std::nullopt;
  }
  return text;
}

// The old file stays whole until the new one is complete. A store that is a link (to a
// shared dotfile, say) is written where the link leads and stays a link.
void ReplaceWhole(const std::string& path, const std::string& text) {
  std::error_code error;
  std::filesystem::path target = path;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) {
    target = std::filesystem::canonical(target, error);
    if (error) throw platform::IoError(error.value());
  }
  const std::string next = target.string() + ".new";
  try {
    platform::OsFile file = platform::OsFile::Create(next);
    file.WriteBlock(text.data(), text.size());
    file.Close();
  } catch (const platform::IoError&) {
    std::filesystem::remove(next, error);
    throw;
  }
  std::filesystem::rename(next, target, error);
  if (error) throw platform::IoError(error.value());
}

}  // namespace

IniStore::IniStore(std::string path, Form form) : path_(std::move(path)), form_(form) {
  if (form_ == Form::PerUser) {
    std::error_code ignored;  // a folder that cannot be made fails at the first write
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
  }
  try {
    const std::optional<std::string> text = ReadStoreText(path_);
    unreadable_ = !text;
    if (text) text_ = *text;
  } catch (const platform::IoError& error) {
    unreadable_ = error.Code() != ENOENT && form_ == Form::PerUser;
  }
}

std::optional<std::string> IniStore::ReadString(std::string_view group, std::string_view name) {
  if (unreadable_) throw UserError(Quoted(name) + " の取得に失敗しました");
  return ProfileValue(text_, group, name);
}

void IniStore::WriteString(std::string_view group, std::string_view name, std::string_view value) {
  std::string text = WithProfileValue(text_, group, name, value);
  Save(text, name);
  text_ = std::move(text);
}

void IniStore::Save(const std::string& text, std::string_view name) const {
  try {
    ReplaceWhole(path_, text);
  } catch (const platform::IoError&) {
    if (form_ == Form::PerUser) throw UserError(Quoted(name) + " の設定に失敗しました");
    throw UserError(platform::SystemStringToUtf8(path_) + " に書き込めません");
  }
}

std::string IniPathBesideProgram(std::string_view programPath, const platform::FileNameRule& rule) {
  const std::string name = fileconv::FileNamePart(programPath, rule);
  const std::string_view folder = programPath.substr(0, programPath.size() - name.size());
  const auto dot = fileconv::LastSingleByteOf(name, ".", rule);
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  return std::string(folder) + stem + ".INI";
}

std::string PerUserStorePath() {
  return platform::UserConfigDirectory() + "/MXT/MXT.ini";
}

std::unique_ptr<SettingsStore> OpenSettingsStore(bool useIniFile) {
  if (useIniFile) {
    return std::make_unique<IniStore>(IniPathBesideProgram(platform::ProgramPath()),
                                      IniStore::Form::BesideProgram);
  }
  return std::make_unique<IniStore>(PerUserStorePath(), IniStore::Form::PerUser);
}

}  // namespace mxt::app
