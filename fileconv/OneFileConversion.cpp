#include "fileconv/OneFileConversion.h"

#include <algorithm>

#include "engine/ConversionBuffers.h"
#include "engine/StreamConversion.h"
#include "engine/TextClassification.h"
#include "fileconv/PathText.h"
#include "fileconv/SettingsRecord.h"
#include "fileconv/SourceReplacement.h"
#include "fileconv/TempFile.h"
#include "fileconv/UserError.h"
#include "platform/FileSystem.h"
#include "platform/FindFile.h"
#include "platform/IoError.h"
#include "platform/StopSignals.h"
#include "platform/SystemString.h"

namespace mxt::fileconv {

OneFileState Conversion;

void ResetOneFileState() {
  Conversion = OneFileState{};
}

namespace {

using engine::Buffers;
using engine::KanjiCode;
using engine::NewlineCode;
using platform::OsFile;

constexpr char kTempPrefix[] = "MX";

FileEntry& Item() {
  return *Conversion.CurrentItem;
}

void Skip(SkipReason reason) {
  Item().State = RunResult::Skipped;
  Item().Reason = reason;
  if (const auto image = ImageForSkip(reason)) Item().Bitmap = *image;
}

constexpr char kInterrupted[] = "変換を中断しました";

// The output file of one conversion, open from its creation until the stream is done.
struct OutputTarget {
  OsFile file;
  std::string path;
  // Where this conversion began writing into the file; 0 unless appending.
  std::int64_t start = 0;
  // A temporary file goes when the conversion fails; the separate output file is cut back.
  bool temporary = false;
  // Renamed over the source: it carries everything that identified the source.
  bool takesSourcesPlace = false;
};

// The input as the conversion reads it: never more than the size the check found, and
// not another block once a stop signal has come.
class CheckedInput final : public platform::File {
 public:
  CheckedInput(OsFile& file, std::int64_t limit) : file_(file), left_(limit) {}

  std::size_t ReadBlock(void* data, std::size_t size) override {
    if (platform::StopSignalled()) throw UserError(kInterrupted);
    // The whole size is read: the end needs no read of its own.
    if (left_ == 0) return 0;
    const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(left_, size));
    const std::size_t count = file_.ReadBlock(data, wanted);
    left_ -= static_cast<std::int64_t>(count);
    if (Conversion.BlockRead) Conversion.BlockRead(Conversion.FoundSize - left_);
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

// Where the opened file lives now, links resolved: the conversion replaces that file, not
// whatever its name may lead to by then.
std::string OpenedFileLocation() {
  const std::string opened = platform::OpenedPath(*Conversion.InputFile);
  return opened.empty() ? platform::LinkTarget(Item().Path) : opened;
}

void DiscardOutput(OutputTarget& output) noexcept;

SkipReason AlreadyInCode(KanjiCode code) {
  switch (code) {
    case KanjiCode::ShiftJIS:
      return SkipReason::AlreadyShiftJIS;
    case KanjiCode::EUC:
      return SkipReason::AlreadyEUC;
    case KanjiCode::JIS:
      return SkipReason::AlreadyJIS;
    case KanjiCode::Ascii:
      return SkipReason::NoKanji;
    default:
      return SkipReason::CannotIdentify;
  }
}

bool SameCode(KanjiCode detected, std::uint8_t outputCode) {
  return static_cast<int>(detected) == outputCode + 1;
}

NewlineCode DecideNewlineMode(const std::uint8_t* block, std::uint32_t length, bool binary) {
  if (Settings.ForceNewlineConv) return Settings.OutputNewlineCode;
  if (binary || Settings.OutputNewlineCode == NewlineCode::DontCare) return NewlineCode::DontCare;
  const NewlineCode found = engine::DetectNewlineCode(block, length);
  if (found == NewlineCode::DontCare || found == Settings.OutputNewlineCode)
    return NewlineCode::DontCare;
  return Settings.OutputNewlineCode;
}

KanjiCode DecideCode(const std::uint8_t* block, std::uint32_t length) {
  if (Settings.InputKanjiCode != 0) return static_cast<KanjiCode>(Settings.InputKanjiCode);
  const KanjiCode detected = engine::DetectKanjiCode(block, length);
  if (detected == KanjiCode::Unknown && Settings.OutputToFile) return KanjiCode::ShiftJIS;
  return detected;
}

// A file found to be binary or UTF-8 is never converted as a kanji code: it is only ever
// copied as it stands. A fixed input code says the file is text in that code.
std::optional<KanjiCode> CopiedAsItStands(const std::uint8_t* block, std::uint32_t length) {
  if (Settings.InputKanjiCode != 0) return std::nullopt;
  if (engine::IsBinaryText(block, length)) return KanjiCode::Binary;
  const bool fileGoesOn = length == engine::InputBufferSize;
  if (engine::IsUTF8Text(block, length, fileGoesOn)) return KanjiCode::UTF8;
  return std::nullopt;
}

// On the first block: whether there is anything to do, and how.
void DecideConversion() {
  const std::uint8_t* block = Buffers.InputBuffer.get();
  const auto length = static_cast<std::uint32_t>(Buffers.BytesInLastBlock);
  const std::optional<KanjiCode> asItStands = CopiedAsItStands(block, length);
  if (asItStands && !Settings.OutputToFile) {
    Skip(*asItStands == KanjiCode::Binary ? SkipReason::Binary : SkipReason::UTF8);
    return;
  }
  Buffers.NewlineMode = DecideNewlineMode(block, length, asItStands.has_value());
  Buffers.DetectedCode = asItStands ? *asItStands : DecideCode(block, length);

  const KanjiCode code = Buffers.DetectedCode;
  const bool same = SameCode(code, Settings.OutputKanjiCode);
  const bool nothingToDo = code == KanjiCode::Ascii || code == KanjiCode::Unknown || same;
  if (!nothingToDo || Settings.OutputToFile || Buffers.NewlineMode != NewlineCode::DontCare) return;
  if (Settings.InputKanjiCode == 0) {
    Skip(AlreadyInCode(code));
  } else if (same && Settings.OutputKanjiCode != engine::kOutputJIS) {
    Skip(SkipReason::NothingToDo);
  }
}

// The separate output file, created by the run's first file and appended to after it. It
// is compared with the input before anything in it is cut or written.
OutputTarget OpenSeparateOutput() {
  const FileEntry& output = *Conversion.OutputItem;
  const UserError failure(platform::SystemStringToUtf8(output.Path) + " をオープンできません");
  const bool append =
      output.State == RunResult::Converted && platform::FindFile(output.Path).has_value();
  std::optional<OsFile> file;
  try {
    file = append ? OsFile::OpenExclusive(output.Path, OsFile::Access::ReadWrite)
                  : OsFile::OpenOrCreateExclusive(output.Path);
  } catch (const std::exception&) {
    throw failure;
  }
  if (platform::SameFile(*file, *Conversion.InputFile)) throw failure;
  const std::int64_t start = append ? file->Size() : 0;
  file->Seek(start);
  // Emptying an empty file is not only needless: ext4 then writes the file out on close.
  if (!append && file->Size() > 0) file->Truncate();
  return {std::move(*file), output.Path, start, false, false};
}

// A new temporary file: beside the file it replaces when renamed over it, in the
// temporary folder when copied back.
OutputTarget OpenTemporaryOutput(const std::string& target) {
  const bool rename = Settings.WayToOverwrite == 0 && !Conversion.ViewMode;
  const std::string dir = rename ? DirectoryPart(target) : Settings.TempDir;
  std::string name;
  std::optional<OsFile> created;
  try {
    created = CreateTempFile(kTempPrefix, dir, name);
  } catch (const platform::IoError& error) {
    throw UserError(std::string("テンポラリファイルを作成できません: ") + error.what());
  }
  OutputTarget output{std::move(*created), name, 0, true, false};
  Conversion.TempFileName = name;
  try {
    // Renamed over the source, the file must be what the source was but for its text.
    output.takesSourcesPlace =
        rename && platform::TakeOverIdentity(*Conversion.InputFile, Conversion.Opened, output.file);
  } catch (...) {
    DiscardOutput(output);
    throw;
  }
  return output;
}

// Takes back what a failed conversion wrote, through the file still open. Called while
// another failure is on its way, it reports none of its own.
void DiscardOutput(OutputTarget& output) noexcept {
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

engine::StreamResult StreamThrough(OutputTarget& output) {
  Buffers.OutputFile = &output.file;
  struct Detach {
    ~Detach() { Buffers.OutputFile = nullptr; }
  } detach;
  return engine::StreamInputToOutput(
      {Settings.OutputKanjiCode, Settings.SevenBitMode, Settings.RemoveCtrlZ, output.start});
}

// The whole input into the output file, which is complete and closed afterwards. On any
// failure, and when a character has no place in the output code, nothing of this file
// stays in it.
void WriteOutput(OutputTarget& output) {
  try {
    if (StreamThrough(output) == engine::StreamResult::Unrepresentable) {
      DiscardOutput(output);
      return Skip(SkipReason::Unrepresentable);
    }
    if (Buffers.TotalRead != Conversion.FoundSize)
      throw UserError("読み込んだサイズとファイルのサイズが一致しません");
    // Renamed over the source, the file takes the time with it.
    if (output.takesSourcesPlace && Settings.PreserveTimestamp) KeepTimestamp(output.file);
    output.file.Close();
  } catch (...) {
    DiscardOutput(output);
    throw;
  }
}

}  // namespace

void CheckFile() {
  const auto found = platform::FindFile(Item().Path);
  if (!found) return Skip(SkipReason::FileNotFound);
  Conversion.FoundSize = found->size;
  Conversion.FoundWriteTime = found->lastWrite;
  const std::uint32_t attributes = found->attributes;
  if (attributes & platform::attr::kVolumeLabel) return Skip(SkipReason::VolumeLabel);
  if (attributes & platform::attr::kDirectory) return Skip(SkipReason::Directory);
  if ((attributes & platform::attr::kReadOnly) && !Settings.OutputToFile) {
    // A file this user may not even read is refused for that, as its open would be.
    const bool readable = platform::MayRead(Item().Path);
    return Skip(readable ? SkipReason::ReadOnly : SkipReason::AccessDenied);
  }
  if (found->size == 0) return Skip(SkipReason::Empty);
  Item().State = RunResult::Ready;
  Item().Reason = SkipReason::None;
}

void OpenInputFile() {
  try {
    Conversion.InputFile = OsFile::OpenExclusive(Item().Path, OsFile::Access::Read);
  } catch (const platform::IoError& error) {
    if (error.Code() != platform::kErrorAccessDenied &&
        error.Code() != platform::kErrorSharingViolation) {
      throw;
    }
    Skip(SkipReason::AccessDenied);
  } catch (const UserError&) {
    throw;
  } catch (const std::exception&) {
    throw UserError(platform::SystemStringToUtf8(Item().Path) + " をオープンできません");
  }
  Buffers.TotalRead = 0;
  if (!Conversion.InputFile) return;
  // The name may lead somewhere else now than when it was checked.
  Conversion.Opened = Conversion.InputFile->Identity();
  if (Conversion.Opened.kind != platform::FileKind::Regular) {
    CloseInputFile();
    return Skip(Conversion.Opened.kind == platform::FileKind::Directory ? SkipReason::Directory
                                                                        : SkipReason::VolumeLabel);
  }
  if (Settings.PreserveTimestamp) Conversion.SavedWriteTime = Conversion.Opened.lastWrite;
}

void CloseInputFile() {
  Buffers.InputFile = nullptr;
  Conversion.InputFile.reset();
}

void ConvertFile() {
  CheckedInput input(*Conversion.InputFile, Conversion.FoundSize);
  Buffers.InputFile = &input;
  struct Detach {
    ~Detach() { Buffers.InputFile = nullptr; }
  } detach;
  if (engine::RefillInput()) return Skip(SkipReason::Empty);
  DecideConversion();
  if (Item().State != RunResult::Ready) return;

  const bool separateOutput = Settings.OutputToFile && !Conversion.ViewMode;
  const std::string target = separateOutput ? std::string() : OpenedFileLocation();
  OutputTarget output = separateOutput ? OpenSeparateOutput() : OpenTemporaryOutput(target);
  WriteOutput(output);
  if (Item().State != RunResult::Ready || Settings.OutputToFile) return;

  EnsureUnchangedSinceCheck(output.path);
  CloseInputFile();
  if (output.takesSourcesPlace) {
    RenameOverSource(output.path, target);
  } else {
    CopyTempOverSource(output.path);
  }
}

void RecordResultCode() {
  const auto detected = static_cast<std::uint8_t>(Buffers.DetectedCode);
  Item().Code = static_cast<std::uint8_t>((detected & 0x0F) | (Settings.OutputKanjiCode << 4));
  Item().Bitmap =
      ImageAfterConversion(Buffers.DetectedCode, Settings.OutputKanjiCode, Settings.OutputToFile);
}

bool UpdateOutputItem() {
  FileEntry& output = *Conversion.OutputItem;
  bool changed = false;
  if (output.State != RunResult::Converted) {
    output.State = RunResult::Converted;
    changed = true;
  }
  const KanjiCode code = Buffers.DetectedCode;
  const bool kanjiText =
      code == KanjiCode::ShiftJIS || code == KanjiCode::EUC || code == KanjiCode::JIS;
  if (output.Code == kNoKanjiWritten && kanjiText) {
    output.Bitmap = ImageForOutputCode(Settings.OutputKanjiCode);
    output.Code = Settings.OutputKanjiCode;
    changed = true;
  }
  return changed;
}

}  // namespace mxt::fileconv
