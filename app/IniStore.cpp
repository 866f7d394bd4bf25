#include "app/IniStore.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <utility>

#include "app/MessageTexts.h"
#include "app/ProfileText.h"
#include "fileconv/PathText.h"
#include "fileconv/UserError.h"
#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "platform/LockFile.h"
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

// How long a save waits for another program's save of the same folder.
constexpr std::chrono::milliseconds kSaveWait{3000};

// The store's text; nothing when the file is no store to read: not a regular file (a FIFO
// would hold the start up, a link to /dev/zero would never end), too large, or holding NUL
// bytes, as UTF-16 saved by an editor does, whose lines would not be found and whose text
// lines of ours would be mixed into. Raises IoError when it cannot be opened or read.
std::optional<std::string> ReadStoreText(const std::string& path) {
  platform::OsFile file = platform::OsFile::OpenForReading(path);
  if (file.Identity().kind != platform::FileKind::Regular) return std::nullopt;
  std::string text;
  char block[4096];
  while (const std::size_t count = file.ReadBlock(block, sizeof block)) {
    text.append(block, count);
    if (text.size() > kMostStoreBytes) return std::nullopt;
  }
  if (text.find('\0') != std::string::npos) return std::nullopt;
  return text;
}

// What the file holds now: its text, empty when there is none.
struct StoreText {
  std::optional<std::string> text;
  // It could not even be opened or read, rather than being no store.
  bool unopened = false;
};

// The folder whose lock orders the reads and saves of the file.
std::string StoreFolder(const std::string& path) {
  return fileconv::ParentPath(platform::LinkTarget(path));
}

StoreText CurrentText(const std::string& path) {
  try {
    return {ReadStoreText(path), false};
  } catch (const platform::IoError& error) {
    if (error.Code() == ENOENT) return {std::string(), false};
    return {std::nullopt, true};
  }
}

}  // namespace

IniStore::IniStore(std::string path, Form form) : path_(std::move(path)), form_(form) {
  if (form_ == Form::PerUser) {
    std::error_code ignored;  // a folder that cannot be made fails at the first save
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
  }
  // Read under the lock a save holds: a file written over in place is not seen half
  // written. A folder that cannot be locked is read without it.
  std::optional<platform::LockFile> lock;
  try {
    lock = platform::LockFile::LockFolder(StoreFolder(path_), kSaveWait);
  } catch (const platform::IoError&) {
  }
  const StoreText current = CurrentText(path_);
  lock.reset();
  unreadable_ = !current.text;
  // The file beside the program reads as empty when it cannot be opened, as the system's
  // profile calls read it.
  readsFail_ = unreadable_ && (form_ == Form::PerUser || !current.unopened);
  if (current.text) text_ = *current.text;
}

std::optional<std::string> IniStore::ReadString(std::string_view group, std::string_view name) {
  if (readsFail_) throw UserError(Quoted(name) + message::kCannotRead);
  return ProfileValue(text_, group, name);
}

void IniStore::WriteString(std::string_view group, std::string_view name, std::string_view value) {
  // A value as it was read stays as it is in the file, where it may be longer than what a
  // read sees.
  if (ProfileValue(text_, group, name) == value) return;
  text_ = WithProfileValue(text_, group, name, value);
  written_.push_back({std::string(group), std::string(name), std::string(value)});
}

void IniStore::FailToSave(const std::string& why) const {
  if (!why.empty()) throw UserError(why);
  if (form_ == Form::PerUser && !written_.empty())
    throw UserError(Quoted(written_.front().name) + message::kCannotWriteValue);
  throw UserError(platform::SystemStringToUtf8(path_) + message::kCannotWriteFile);
}

void IniStore::Commit() {
  if (written_.empty()) return;
  if (unreadable_) FailToSave("");
  try {
    const auto lock = platform::LockFile::LockFolder(StoreFolder(path_), kSaveWait);
    if (!lock) FailToSave("");
    std::optional<std::string> text = CurrentText(path_).text;
    if (!text) FailToSave("");
    for (const Written& value : written_)
      *text = WithProfileValue(*text, value.group, value.name, value.value);
    if (text->size() > kMostStoreBytes) {
      FailToSave(platform::SystemStringToUtf8(path_) + message::kStoreTooLarge);
    }
    platform::WriteWholeFile(path_, *text);
    text_ = std::move(*text);
    written_.clear();
  } catch (const platform::IoError&) {
    FailToSave("");
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
