// Putting a conversion's temporary file in the place of its source, which must still be
// the file that was opened and checked.
#include <optional>

#include "fileconv/FileConversion.h"
#include "fileconv/MessageTexts.h"
#include "fileconv/PathText.h"
#include "fileconv/UserError.h"
#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "platform/StopSignals.h"
#include "platform/SystemString.h"

namespace mxt::fileconv {

using platform::OsFile;

// Only the file that was opened and checked is ever replaced, never one put in its place.
void FileConversion::EnsureStillTheOpenedFile(const platform::FileIdentity& now,
                                              const std::string& temp) {
  if (now.kind == platform::FileKind::Regular && now.SameFileAs(opened_)) return;
  RemoveTemporaryFile(temp);
  throw UserError(platform::SystemStringToUtf8(Item().Path) + message::kReplacedMeanwhile);
}

std::int64_t FileConversion::CopyBlocks(OsFile& from, OsFile& to) {
  std::int64_t copied = 0;
  std::uint8_t* buffer = converter_.Buffers().InputBuffer.get();
  for (std::size_t count; (count = from.ReadBlock(buffer, engine::InputBufferSize)) > 0;) {
    copied += static_cast<std::int64_t>(count);
    to.WriteBlock(buffer, count);
  }
  to.Truncate();
  return copied;
}

void FileConversion::RemoveTemporaryFile(const std::string& path) noexcept {
  if (path == tempFileName_) tempFileName_.clear();
  try {
    platform::DeleteFile(path);
  } catch (const std::exception&) {
  }
}

void FileConversion::KeepTimestamp(OsFile& file) {
  try {
    file.SetLastWriteTime(savedWriteTime_);
  } catch (const std::exception&) {
    throw UserError(message::kTimestampFailed);
  }
}

void FileConversion::EnsureUnchangedSinceCheck(const platform::FileIdentity& now,
                                               const std::string& temp) {
  if (now.size == foundSize_ && now.lastWrite == foundWriteTime_) return;
  RemoveTemporaryFile(temp);
  throw UserError(platform::SystemStringToUtf8(Item().Path) + message::kChangedMeanwhile);
}

void FileConversion::RenameOverSource(const std::string& temp, const std::string& target) {
  const std::string& diskName = Item().DiskName;
  const std::string destination = diskName.empty() ? target : DirectoryPart(target) + diskName;
  const auto now = platform::EntryIdentity(destination);
  EnsureStillTheOpenedFile(now.value_or(platform::FileIdentity{}), temp);
  try {
    platform::ReplaceFile(temp, destination);
  } catch (...) {
    RemoveTemporaryFile(temp);
    throw;
  }
}

// Once writing has begun, a failure keeps the temporary file: it then holds the only whole
// copy.
void FileConversion::CopyTempOverSource(const std::string& temp) {
  std::optional<OsFile> source;
  std::optional<OsFile> target;
  try {
    source = OsFile::OpenExclusive(temp, OsFile::Access::Read);
    target = OsFile::OpenExclusive(Item().Path, OsFile::Access::ReadWrite, LinkRule());
    EnsureStillTheOpenedFile(target->Identity(), temp);
  } catch (const platform::IoError&) {
    RemoveTemporaryFile(temp);
    throw;
  }
  const std::int64_t size = source->Size();
  std::int64_t copied = 0;
  {
    const platform::HeldStopSignals uninterrupted;
    const OsFile::OthersKeptOut alone(*target);
    try {
      // What another program wrote before it was kept out would be written over.
      EnsureUnchangedSinceCheck(target->Identity(), temp);
      target->Reserve(size);
    } catch (const platform::IoError&) {
      RemoveTemporaryFile(temp);
      throw;
    }
    try {
      copied = CopyBlocks(*source, *target);
    } catch (const std::exception& error) {
      throw UserError(std::string(message::kCopyFailed) + " (" + error.what() +
                      message::kConvertedTextIn + platform::SystemStringToUtf8(temp) +
                      message::kIsThere);
    }
  }
  if (copied != size) throw UserError(message::kCopyFailed);
  platform::DeleteFile(temp);
  if (settings_->PreserveTimestamp) KeepTimestamp(*target);
  target->Close();
}

}  // namespace mxt::fileconv
