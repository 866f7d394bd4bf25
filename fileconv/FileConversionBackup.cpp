// Keeping a converted source as NAME~ beside the text that takes its name.
#include "fileconv/FileConversion.h"
#include "fileconv/MessageTexts.h"
#include "fileconv/PathText.h"
#include "fileconv/UserError.h"
#include "platform/FileIdentity.h"
#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "platform/SystemString.h"

namespace mxt::fileconv {

namespace {

std::string BackupName(const std::string& path) {
  return path + "~";
}

UserError BackupFailed(const std::string& backup, const char* why) {
  return UserError(platform::SystemStringToUtf8(backup) + message::kBackupFailed + why);
}

}  // namespace

// An existing NAME~ is never written over: the file is left as it is.
bool FileConversion::BackupTaken() const {
  if (!settings_->KeepBackup || settings_->OutputToFile) return false;
  // A link leading nowhere takes the name too.
  return platform::EntryIdentity(BackupName(platform::LinkTarget(currentItem_->Path))).has_value();
}

// Renamed over, the source's own file stays whole under its second name; copied onto, it
// is overwritten in place, so the backup must be a copy of it.
void FileConversion::KeepBackup(const std::string& target, bool asLink, const std::string& temp) {
  const std::string backup = BackupName(target);
  try {
    if (!asLink || !platform::AddHardLink(target, backup)) CopyToBackup(backup);
  } catch (const std::exception& error) {
    RemoveTemporaryFile(temp);
    throw BackupFailed(backup, error.what());
  }
}

void FileConversion::EnsureBackupCanBeMade(const std::string& target) const {
  const std::string backup = BackupName(target);
  if (const int error = platform::CannotMakeFile(backup)) {
    throw BackupFailed(backup, platform::IoError(error, DirectoryPart(target)).what());
  }
}

// The copy gets the source's permissions, owner (where this user may give it) and times as
// they were before it was read.
void FileConversion::CopyToBackup(const std::string& backup) {
  platform::OsFile copy = platform::OsFile::CreateNew(backup);
  try {
    inputFile_->Seek(0);
    if (CopyBlocks(*inputFile_, copy) != foundSize_) throw UserError(message::kSizeMismatch);
    platform::CopyIdentity(*inputFile_, opened_, copy);
    copy.SetTimes(opened_.lastAccess, opened_.lastWrite);
    copy.Close();
  } catch (...) {
    RemoveTemporaryFile(backup);
    throw;
  }
}

}  // namespace mxt::fileconv
