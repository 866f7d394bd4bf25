#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/Converter.h"
#include "fileconv/FileEntry.h"
#include "fileconv/Settings.h"
#include "fileconv/TempFile.h"
#include "platform/FileIdentity.h"
#include "platform/FileTime.h"
#include "platform/OsFile.h"

namespace mxt::fileconv {

// The conversion of one file at a time, through the converter it owns: the checks, the
// temporary or separate output file, and putting the new text in the source's place.
class FileConversion {
 public:
  // Starts on `entry` under `settings`, which stay as they are until the entry is done.
  // `output` is the separate output file's entry in output-to-file mode, else null; in
  // `viewMode` only a temporary copy for the viewer is made.
  void Begin(FileEntry& entry, FileEntry* output, const Settings& settings, bool viewMode = false);

  // Existence, kind, write permission and size of the entry: Ready or Skipped.
  void CheckFile();
  // Opens the input for this conversion alone; a file held by another is skipped.
  void OpenInputFile();
  // The whole conversion of a checked, open file; skips, or raises on failure.
  void ConvertFile();
  void CloseInputFile();
  // After a successful conversion: the codes into Code, and the image.
  void RecordResultCode();
  // After a successful conversion to the separate file; true when its entry must be redrawn.
  bool UpdateOutputItem();

  // The temporary file the last conversion that made one made; empty when it is gone.
  const std::string& TempFileName() const { return tempFileName_; }
  void ForgetTempFileName() { tempFileName_.clear(); }
  // What the last conversion says of characters the output code had no place for; empty
  // when it met none.
  const std::string& Note() const { return note_; }
  // The size the check found.
  std::int64_t FoundSize() const { return foundSize_; }
  // Told how many bytes of the input have been read, after each block; may be empty.
  void SetBlockRead(std::function<void(std::int64_t read)> told) { blockRead_ = std::move(told); }
  // The numbers temporary names are drawn from: the system's random numbers unless set.
  void SetTempNumbers(TempNumberSource draw) { tempNumbers_ = std::move(draw); }

 private:
  class CheckedInput;
  struct OutputTarget;

  // FileConversion.cpp
  FileEntry& Item() { return *currentItem_; }
  void Skip(SkipReason reason);
  std::string OpenedFileLocation() const;
  // A link put in the place of an entry that was not one when listed is never followed.
  platform::OsFile::LastLink LinkRule() const;
  // A folder on the way to the opened file has been swapped for a link since its entry was
  // listed, with its folders resolved.
  bool OpenedThroughNewLink() const;
  void DecideConversion();
  OutputTarget OpenSeparateOutput();
  // The temporary file is renamed over the source, rather than copied back.
  bool RenamesOverSource() const;
  // Beside the source (`target`) when renamed over it, else in the temporary folder.
  std::string TemporaryFolder(const std::string& target) const;
  OutputTarget OpenTemporaryOutput(const std::string& target);
  void DiscardOutput(OutputTarget& output) noexcept;
  engine::StreamResult StreamInto(platform::File& file, std::int64_t start, bool removeCtrlZ);
  void ConvertIntoNothing();
  void WriteOutput(OutputTarget& output);
  void EnsureReadAsChecked(bool checkedLater);
  void NoteUnconvertibles(bool stopped);

  // FileConversionReplacement.cpp: the temporary file in the place of the source, which
  // must still be the file that was opened and checked.
  void EnsureStillTheOpenedFile(const platform::FileIdentity& now, const std::string& temp);
  // Fails, removing `temp`, when another program changed the source (found `now`) since
  // its check.
  void EnsureUnchangedSinceCheck(const platform::FileIdentity& now, const std::string& temp);
  // `target` is where the opened source lives; the rename fails, removing `temp`, when
  // another file has taken its place.
  void RenameOverSource(const std::string& temp, const std::string& target);
  // Copies `temp` over the source, which keeps its directory entry, and removes it.
  void CopyTempOverSource(const std::string& temp);
  std::int64_t CopyBlocks(platform::OsFile& from, platform::OsFile& to);
  // A temporary file that is not wanted any more; one already gone is no matter.
  void RemoveTemporaryFile(const std::string& path) noexcept;

  // FileConversionBackup.cpp
  bool BackupTaken() const;
  void KeepBackup(const std::string& target, bool asLink, const std::string& temp);
  void CopyToBackup(const std::string& backup);
  // For a dry run: raises what KeepBackup would, where its folder takes no new file.
  void EnsureBackupCanBeMade(const std::string& target) const;
  // Gives `file` the source's last-write time as it was saved when the source was opened.
  void KeepTimestamp(platform::OsFile& file);

  engine::Converter converter_;
  const Settings* settings_ = nullptr;
  FileEntry* currentItem_ = nullptr;
  FileEntry* outputItem_ = nullptr;
  bool viewMode_ = false;
  std::string tempFileName_;
  std::string note_;
  // Present while open; the caller's clean-up closes it exactly once.
  std::optional<platform::OsFile> inputFile_;
  // What the check found; a file that no longer matches it is not replaced.
  std::int64_t foundSize_ = 0;
  platform::FileTime foundWriteTime_;
  // The file that was opened: only this file is ever replaced.
  platform::FileIdentity opened_;
  platform::FileTime savedWriteTime_;
  std::function<void(std::int64_t read)> blockRead_;
  TempNumberSource tempNumbers_;
};

}  // namespace mxt::fileconv
