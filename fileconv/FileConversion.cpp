#include "fileconv/FileConversion.h"

#include <algorithm>

#include "fileconv/ConversionDecision.h"
#include "fileconv/MessageTexts.h"
#include "fileconv/PathText.h"
#include "fileconv/TextPosition.h"
#include "fileconv/UserError.h"
#include "platform/FileSystem.h"
#include "platform/FindFile.h"
#include "platform/FullPath.h"
#include "platform/IoError.h"
#include "platform/StopSignals.h"
#include "platform/SystemString.h"

namespace mxt::fileconv {

namespace {

using engine::KanjiCode;
using engine::NewlineCode;
using platform::OsFile;

constexpr char kTempPrefix[] = "MX";

UserError TempFileFailed(const char* why) {
  return UserError(std::string(message::kCannotCreateTemp) + ": " + why);
}

}  // namespace

// The output file of one conversion, open from its creation until the stream is done.
struct FileConversion::OutputTarget {
  OsFile file;
  std::string path;
  // Where this conversion began writing into the file; 0 unless appending.
  std::int64_t start = 0;
  // A temporary file goes when the conversion fails; the separate output file is cut back.
  bool temporary = false;
  // Renamed over the source: it carries everything that identified the source.
  bool takesSourcesPlace = false;
};

// The input as the conversion reads it: never more than the size the check found. It may
// be read on another thread, ahead of the conversion.
class FileConversion::CheckedInput final : public platform::File {
 public:
  CheckedInput(OsFile& file, std::int64_t limit) : file_(file), left_(limit) {}

  std::size_t ReadBlock(void* data, std::size_t size) override {
    // The whole size is read: the end needs no read of its own.
    if (left_ == 0) return 0;
    const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(left_, size));
    const std::size_t count = file_.ReadBlock(data, wanted);
    left_ -= static_cast<std::int64_t>(count);
    return count;
  }
  void WriteBlock(const void* data, std::size_t size) override { file_.WriteBlock(data, size); }
  std::int64_t Size() override { return file_.Size(); }
  void Seek(std::int64_t position) override { file_.Seek(position); }
  void Truncate() override { file_.Truncate(); }

 private:
  OsFile& file_;
  std::int64_t left_;
};

void FileConversion::Begin(FileEntry& entry, FileEntry* output, const Settings& settings,
                           bool viewMode) {
  currentItem_ = &entry;
  outputItem_ = output;
  note_.clear();
  settings_ = &settings;
  viewMode_ = viewMode;
  if (!tempNumbers_) tempNumbers_ = SystemTempNumbers();
}

void FileConversion::Skip(SkipReason reason) {
  Item().State = RunResult::Skipped;
  Item().Reason = reason;
  if (const auto image = ImageForSkip(reason)) Item().Bitmap = *image;
}

// Where the opened file lives now, links resolved: the conversion replaces that file, not
// whatever its name may lead to by then.
std::string FileConversion::OpenedFileLocation() const {
  const std::string opened = platform::OpenedPath(*inputFile_);
  return opened.empty() ? platform::LinkTarget(currentItem_->Path) : opened;
}

// On the first block: whether there is anything to do, and how.
void FileConversion::DecideConversion() {
  engine::ConversionBuffers& buffers = converter_.Buffers();
  const ConversionDecision decision = DecideConversionOf(
      *settings_, buffers.InputBuffer.get(), static_cast<std::size_t>(buffers.BytesInLastBlock));
  buffers.NewlineMode = decision.newlines;
  buffers.DetectedCode = decision.code;
  if (decision.skip != SkipReason::None) Skip(decision.skip);
}

// The separate output file, created by the run's first file and appended to after it. It
// is compared with the input before anything in it is cut or written.
FileConversion::OutputTarget FileConversion::OpenSeparateOutput() {
  const FileEntry& output = *outputItem_;
  const UserError failure(platform::SystemStringToUtf8(output.Path) + message::kCannotOpen);
  const bool append =
      output.State == RunResult::Converted && platform::FindFile(output.Path).has_value();
  std::optional<OsFile> file;
  try {
    file = append ? OsFile::OpenExclusive(output.Path, OsFile::Access::ReadWrite)
                  : OsFile::OpenOrCreateExclusive(output.Path);
  } catch (const std::exception&) {
    throw failure;
  }
  if (platform::SameFile(*file, *inputFile_)) throw failure;
  const std::int64_t start = append ? file->Size() : 0;
  file->Seek(start);
  // Emptying an empty file is not only needless: ext4 then writes the file out on close.
  if (!append && file->Size() > 0) file->Truncate();
  return {std::move(*file), output.Path, start, false, false};
}

// A new temporary file: beside the file it replaces when renamed over it, in the
// temporary folder when copied back.
bool FileConversion::RenamesOverSource() const {
  return settings_->WayToOverwrite == 0 && !viewMode_;
}

std::string FileConversion::TemporaryFolder(const std::string& target) const {
  return RenamesOverSource() ? DirectoryPart(target) : settings_->TempDir;
}

FileConversion::OutputTarget FileConversion::OpenTemporaryOutput(const std::string& target) {
  const bool rename = RenamesOverSource();
  const std::string dir = TemporaryFolder(target);
  std::string name;
  std::optional<OsFile> created;
  try {
    created = viewMode_ ? CreateViewCopy(dir, name)
                        : CreateTempFile(kTempPrefix, dir, tempNumbers_, name);
  } catch (const platform::IoError& error) {
    throw TempFileFailed(error.what());
  }
  OutputTarget output{std::move(*created), name, 0, true, false};
  tempFileName_ = name;
  try {
    // Renamed over the source, the file must be what the source was but for its text.
    output.takesSourcesPlace =
        rename && platform::TakeOverIdentity(*inputFile_, opened_, output.file);
  } catch (...) {
    DiscardOutput(output);
    throw;
  }
  return output;
}

// Takes back what a failed conversion wrote, through the file still open. Called while
// another failure is on its way, it reports none of its own.
void FileConversion::DiscardOutput(OutputTarget& output) noexcept {
  try {
    if (!output.temporary) {
      output.file.Seek(output.start);
      output.file.Truncate();
    }
    output.file.Close();
  } catch (const std::exception&) {
  }
  if (output.temporary) RemoveTemporaryFile(output.path);
}

engine::StreamResult FileConversion::StreamInto(platform::File& file, std::int64_t start,
                                                bool removeCtrlZ) {
  engine::ConversionBuffers& buffers = converter_.Buffers();
  buffers.OutputFile = &file;
  struct Detach {
    engine::ConversionBuffers& buffers;
    ~Detach() { buffers.OutputFile = nullptr; }
  } detach{buffers};
  return converter_.StreamInputToOutput(StreamOptionsOf(*settings_, start, removeCtrlZ));
}

// A dry run converts into nothing: what only the whole text tells (a character with no
// place in the output code) is found as a real run finds it.
void FileConversion::ConvertIntoNothing() {
  // Where a real run could make no file, it would fail before it wrote anything.
  const std::string target = settings_->OutputToFile ? std::string() : OpenedFileLocation();
  if (!settings_->OutputToFile) {
    const std::string dir = TemporaryFolder(target);
    if (const int error = platform::CannotMakeFilesIn(dir))
      throw TempFileFailed(platform::IoError(error, dir).what());
  }
  class Discarded final : public platform::File {
   public:
    std::size_t ReadBlock(void*, std::size_t) override { return 0; }
    void WriteBlock(const void*, std::size_t size) override {
      size_ += static_cast<std::int64_t>(size);
    }
    std::int64_t Size() override { return size_; }
    void Seek(std::int64_t) override {}
    void Truncate() override {}

   private:
    std::int64_t size_ = 0;
  } discarded;
  const bool stopped = StreamInto(discarded, 0, false) == engine::StreamResult::Unrepresentable;
  NoteUnconvertibles(stopped);
  if (stopped) return Skip(SkipReason::Unrepresentable);
  EnsureReadAsChecked(false);
  if (settings_->KeepBackup && !settings_->OutputToFile) EnsureBackupCanBeMade(target);
}

// The input is read no further than the size its check found. A file that grew meanwhile
// would leave an output file or a viewer's copy without its end while the entry said
// converted; a file converted in place is checked again before it is replaced.
void FileConversion::EnsureReadAsChecked(bool checkedLater) {
  if (converter_.Buffers().TotalRead != foundSize_ ||
      (!checkedLater && inputFile_->Identity().size != foundSize_)) {
    throw UserError(message::kSizeMismatch);
  }
}

// Names the first character the output code had no place for, and how many were replaced.
void FileConversion::NoteUnconvertibles(bool stopped) {
  note_ = NoteOnUnconvertibles(platform::SystemStringToUtf8(Item().Path), converter_, *inputFile_,
                               settings_->OutputKanjiCode, stopped);
}

// The whole input into the output file, which is complete and closed afterwards. On any
// failure, and when a character has no place in the output code, nothing of this file
// stays in it.
void FileConversion::WriteOutput(OutputTarget& output) {
  try {
    const bool stopped = StreamInto(output.file, output.start, settings_->RemoveCtrlZ) ==
                         engine::StreamResult::Unrepresentable;
    NoteUnconvertibles(stopped);
    if (stopped) {
      DiscardOutput(output);
      return Skip(SkipReason::Unrepresentable);
    }
    EnsureReadAsChecked(!settings_->OutputToFile);
    // Renamed over the source, the file takes the time with it.
    if (output.takesSourcesPlace && settings_->PreserveTimestamp) KeepTimestamp(output.file);
    output.file.Close();
  } catch (...) {
    DiscardOutput(output);
    throw;
  }
}

void FileConversion::CheckFile() {
  const auto found = platform::FindFile(Item().Path);
  if (!found) return Skip(SkipReason::FileNotFound);
  foundSize_ = found->size;
  foundWriteTime_ = found->lastWrite;
  const std::uint32_t attributes = found->attributes;
  if (attributes & platform::attr::kVolumeLabel) return Skip(SkipReason::VolumeLabel);
  if (attributes & platform::attr::kDirectory) return Skip(SkipReason::Directory);
  if ((attributes & platform::attr::kReadOnly) && !settings_->OutputToFile) {
    // A file this user may not even read is refused for that, as its open would be.
    const bool readable = platform::MayRead(Item().Path);
    return Skip(readable ? SkipReason::ReadOnly : SkipReason::AccessDenied);
  }
  if (found->size == 0) return Skip(SkipReason::Empty);
  if (BackupTaken()) return Skip(SkipReason::BackupExists);
  Item().State = RunResult::Ready;
  Item().Reason = SkipReason::None;
}

OsFile::LastLink FileConversion::LinkRule() const {
  return currentItem_->ListedAsLink ? OsFile::LastLink::Followed : OsFile::LastLink::Refused;
}

bool FileConversion::OpenedThroughNewLink() const {
  if (currentItem_->ListedAsLink) return false;
  const std::string opened = platform::OpenedPath(*inputFile_);
  if (opened.empty() || DirectoryPart(opened) == DirectoryPart(currentItem_->Path)) return false;
  // A folder may be spelt in another case where the file system ignores it.
  return platform::LeadsThroughLink(currentItem_->Path);
}

void FileConversion::OpenInputFile() {
  try {
    inputFile_ = OsFile::OpenExclusive(Item().Path, OsFile::Access::Read, LinkRule());
  } catch (const platform::IoError& error) {
    if (error.Code() == platform::kErrorLinkRefused) {
      Skip(SkipReason::BecameLink);
    } else if (error.Code() == platform::kErrorAccessDenied ||
               error.Code() == platform::kErrorSharingViolation) {
      Skip(SkipReason::AccessDenied);
    } else {
      throw;
    }
  } catch (const UserError&) {
    throw;
  } catch (const std::exception&) {
    throw UserError(platform::SystemStringToUtf8(Item().Path) + message::kCannotOpen);
  }
  converter_.Buffers().TotalRead = 0;
  if (!inputFile_) return;
  // The name may lead somewhere else now than when it was checked.
  opened_ = inputFile_->Identity();
  if (opened_.kind != platform::FileKind::Regular) {
    CloseInputFile();
    return Skip(opened_.kind == platform::FileKind::Directory ? SkipReason::Directory
                                                              : SkipReason::VolumeLabel);
  }
  if (OpenedThroughNewLink()) {
    CloseInputFile();
    return Skip(SkipReason::BecameLink);
  }
  if (settings_->PreserveTimestamp) savedWriteTime_ = opened_.lastWrite;
  if (settings_->DryRun) inputFile_->LeaveAccessTime();
}

void FileConversion::CloseInputFile() {
  converter_.Buffers().InputFile = nullptr;
  inputFile_.reset();
}

void FileConversion::ConvertFile() {
  CheckedInput input(*inputFile_, foundSize_);
  engine::ConversionBuffers& buffers = converter_.Buffers();
  buffers.InputFile = &input;
  buffers.ReadAhead = true;
  // Not another block once a stop signal has come.
  buffers.BlockRead = [this](std::int64_t read) {
    if (platform::StopSignalled()) throw UserError(message::kInterrupted);
    if (blockRead_) blockRead_(read);
  };
  struct Detach {
    engine::ConversionBuffers& buffers;
    ~Detach() {
      buffers.InputFile = nullptr;
      buffers.ReadAhead = false;
      buffers.BlockRead = nullptr;
    }
  } detach{buffers};
  if (converter_.RefillInput()) return Skip(SkipReason::Empty);
  DecideConversion();
  if (Item().State != RunResult::Ready) return;
  if (settings_->DryRun) return ConvertIntoNothing();

  const bool outputToFile = settings_->OutputToFile;
  const bool separateOutput = outputToFile && !viewMode_;
  const std::string target = separateOutput ? std::string() : OpenedFileLocation();
  OutputTarget output = separateOutput ? OpenSeparateOutput() : OpenTemporaryOutput(target);
  WriteOutput(output);
  if (Item().State != RunResult::Ready || outputToFile) return;

  EnsureUnchangedSinceCheck(inputFile_->Identity(), output.path);
  if (settings_->KeepBackup) KeepBackup(target, output.takesSourcesPlace, output.path);
  CloseInputFile();
  if (output.takesSourcesPlace) {
    RenameOverSource(output.path, target);
  } else {
    CopyTempOverSource(output.path);
  }
}

void FileConversion::RecordResultCode() {
  const KanjiCode detected = converter_.Buffers().DetectedCode;
  const std::uint8_t outputCode = settings_->OutputKanjiCode;
  Item().Code = ResultCode(detected, outputCode);
  Item().Bitmap = ImageAfterConversion(detected, outputCode, settings_->OutputToFile);
}

bool FileConversion::UpdateOutputItem() {
  FileEntry& output = *outputItem_;
  bool changed = false;
  if (output.State != RunResult::Converted) {
    output.State = RunResult::Converted;
    changed = true;
  }
  const KanjiCode code = converter_.Buffers().DetectedCode;
  const bool kanjiText = code == KanjiCode::ShiftJIS || code == KanjiCode::EUC ||
                         code == KanjiCode::JIS || code == KanjiCode::UTF8;
  if (output.Code == kNoKanjiWritten && kanjiText) {
    output.Bitmap = ImageForOutputCode(settings_->OutputKanjiCode);
    output.Code = settings_->OutputKanjiCode;
    changed = true;
  }
  return changed;
}

}  // namespace mxt::fileconv
