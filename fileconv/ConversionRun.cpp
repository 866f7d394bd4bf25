#include "fileconv/ConversionRun.h"

#include <algorithm>
#include <exception>

#include "fileconv/MessageTexts.h"
#include "fileconv/PathText.h"
#include "fileconv/TrueCase.h"
#include "fileconv/UserError.h"
#include "platform/FileIdentity.h"
#include "platform/FileNameRule.h"
#include "platform/FindFile.h"
#include "platform/StopSignals.h"
#include "platform/SystemString.h"

namespace mxt::fileconv {

namespace {

// A file this large shows how far it is, since no event gets through before its end.
constexpr std::int64_t kLargeFile = std::int64_t{64} << 20;

bool Processed(const FileEntry& entry) {
  return entry.State == RunResult::Converted || entry.State == RunResult::Skipped;
}

bool Ready(const FileEntry& entry) {
  return entry.State == RunResult::Ready;
}

// Raised in the middle of a file the user stopped; never leaves this file.
struct StoppedByUser {};

// Set for as long as it lives.
class Raised {
 public:
  explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
  ~Raised() { flag_ = false; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;

 private:
  bool& flag_;
};

}  // namespace

ConversionRun::ConversionRun(Settings& settings, FileList& files, RunHost& host)
    : settings_(settings), files_(files), host_(host) {}

bool ConversionRun::AllDone() const {
  const auto& inputs = files_.Inputs();
  return !inputs.empty() && std::all_of(inputs.begin(), inputs.end(),
                                        [](const auto& entry) { return Processed(*entry); });
}

// The file is closed whatever the conversion does.
void ConversionRun::ConvertAndClose() {
  try {
    conversion_.ConvertFile();
  } catch (...) {
    conversion_.CloseInputFile();
    throw;
  }
  conversion_.CloseInputFile();
  if (!conversion_.Note().empty()) host_.FileNote(conversion_.Note());
}

// A large file tells how far it is each time the percentage grows. A stoppable conversion
// lets events through after each block and ends at once when the user asked it to stop.
void ConversionRun::WatchBlocks(bool stoppable) {
  const std::int64_t size = conversion_.FoundSize();
  const bool large = size > kLargeFile;
  if (!large && !stoppable) return conversion_.SetBlockRead(nullptr);
  conversion_.SetBlockRead([this, size, large, stoppable, shown = -1](std::int64_t read) mutable {
    const auto percent = static_cast<int>(read * 100 / size);
    if (large && percent != shown) {
      shown = percent;
      host_.FileProgress(percent);
    }
    if (!stoppable) return;
    host_.ProcessPendingEvents();
    if (abort_) throw StoppedByUser();
  });
}

// Converts one entry that passed its checks and is open.
void ConversionRun::ConvertOpenEntry(std::size_t index, RunPosition position) {
  FileEntry& entry = files_.Input(index);
  host_.FileStarted(entry.Path, position.number, position.count, conversion_.FoundSize());
  host_.EntryChanged(ListId::Input, index);
  WatchBlocks(false);
  ConvertAndClose();
  if (!Ready(entry)) return;
  conversion_.RecordResultCode();
  if (settings_.OutputToFile && conversion_.UpdateOutputItem())
    host_.EntryChanged(ListId::Output, 0);
}

void ConversionRun::ConvertEntry(std::size_t index, RunPosition position) {
  FileEntry& entry = files_.Input(index);
  conversion_.Begin(entry, settings_.OutputToFile ? files_.Output() : nullptr, settings_);
  entry.Bitmap = FileImage::UnknownFileImage;
  try {
    conversion_.CheckFile();
    if (Ready(entry)) conversion_.OpenInputFile();
    if (Ready(entry)) ConvertOpenEntry(index, position);
  } catch (...) {
    entry.State = RunResult::Aborted;
    host_.EntryChanged(ListId::Input, index);
    throw;
  }
}

bool ConversionRun::CheckOutputCode() {
  const FileEntry* output = files_.Output();
  if (!settings_.OutputToFile || !output || output->State != RunResult::Converted ||
      output->Code == kNoKanjiWritten || output->Code == settings_.OutputKanjiCode) {
    return true;
  }
  host_.ShowMessage(MessageKind::Warning, message::kOtherOutputCode, MessageButtons::Ok);
  return false;
}

bool ConversionRun::CheckOutputIsNoInput() {
  if (!settings_.OutputToFile || !files_.Output()) return true;
  const FileEntry& output = *files_.Output();
  const auto outputFile = platform::FileIdentityOf(output.Path);
  if (!outputFile) return true;
  for (const auto& entry : files_.Inputs()) {
    const auto input = platform::FileIdentityOf(entry->Path);
    if (!input || !input->SameFileAs(*outputFile)) continue;
    host_.ShowMessage(MessageKind::Warning,
                      platform::SystemStringToUtf8(output.Path) + message::kAlreadyInput,
                      MessageButtons::Ok);
    return false;
  }
  return true;
}

bool ConversionRun::ConfirmReconversion() {
  if (!AllDone()) return true;
  if (host_.ShowMessage(MessageKind::Confirmation, message::kConvertAgain,
                        MessageButtons::OkCancel) == MessageAnswer::Cancel) {
    return false;
  }
  for (const auto& entry : files_.Inputs()) {
    entry->State = RunResult::None;
    entry->Code = 0;
  }
  host_.ListChanged(ListId::Input);
  return true;
}

bool ConversionRun::ConvertAll() {
  const Raised running(running_);
  if (!CheckOutputCode() || !CheckOutputIsNoInput() || !ConfirmReconversion()) return false;
  host_.RunStarted();
  abort_ = false;
  busy_ = true;
  const auto& inputs = files_.Inputs();
  const std::size_t count = inputs.size();
  const auto inRun = static_cast<std::size_t>(std::count_if(
      inputs.begin(), inputs.end(), [](const auto& entry) { return !Processed(*entry); }));
  // Whether the run ends by an error or not.
  auto finish = [&] {
    busy_ = false;
    if (settings_.OutputToFile) files_.RefreshOutput(host_);
    host_.RunEnded();
  };
  try {
    std::size_t started = 0;
    for (std::size_t i = 0; i < count && !abort_; ++i) {
      FileEntry& entry = files_.Input(i);
      if (Processed(entry)) continue;
      if (platform::StopSignalled()) throw UserError(message::kStopped);
      ConvertEntry(i, {++started, inRun});
      host_.ProcessPendingEvents();
      if (Ready(entry)) entry.State = RunResult::Converted;
      host_.EntryChanged(ListId::Input, i);
    }
    // One that came during the last file, which was finished first, still stops the run.
    if (platform::StopSignalled()) throw UserError(message::kStopped);
  } catch (...) {
    finish();
    throw;
  }
  finish();
  if (settings_.QuitWhenConverted && !abort_) host_.CloseMainWindow();
  return true;
}

void ConversionRun::ConvertButtonClicked() {
  abort_ = true;
  if (!running_) ConvertAll();
}

ViewCopy ConversionRun::ConvertForView(std::size_t index) {
  const Raised running(running_);
  FileEntry& entry = files_.Input(index);
  // Converted as into a separate file, copied back if at all: nothing of the source changes.
  Settings viewSettings = settings_;
  viewSettings.OutputToFile = true;
  viewSettings.WayToOverwrite = 1;
  const FileEntry saved = entry;
  host_.RunStarted();
  abort_ = false;
  busy_ = true;
  // Whether the view ends by an error, a stop or not.
  auto finish = [&] {
    busy_ = false;
    entry.State = saved.State;
    entry.Reason = saved.Reason;
    entry.Code = saved.Code;
    host_.RunEnded();
  };
  conversion_.ForgetTempFileName();
  conversion_.Begin(entry, nullptr, viewSettings, true);
  try {
    conversion_.CheckFile();
    if (Ready(entry)) conversion_.OpenInputFile();
    if (Ready(entry)) {
      host_.FileStarted(entry.Path, 1, 1, conversion_.FoundSize());
      WatchBlocks(true);
      ConvertAndClose();
      if (Ready(entry) && saved.State == RunResult::None) conversion_.RecordResultCode();
    }
  } catch (const StoppedByUser&) {
    finish();
    return {ViewCopy::Outcome::Stopped, {}};
  } catch (...) {
    finish();
    throw;
  }
  finish();
  if (conversion_.TempFileName().empty()) return {};
  return {ViewCopy::Outcome::Made, conversion_.TempFileName()};
}

// Why `path` cannot be the output file, or nullptr when it can. A name in a missing folder
// would only fail at the next run.
const char* ConversionRun::OutputRefusal(const std::string& path) const {
  if (files_.FindInput(path)) return message::kAlreadyInput;
  const auto folder = platform::FindFile(ParentPath(path));
  if (!folder || !(folder->attributes & platform::attr::kDirectory))
    return message::kOutputFolderMissing;
  return nullptr;
}

bool ConversionRun::AcceptOutputFile(const std::string& path) {
  const char* refusal = OutputRefusal(path);
  if (!refusal) return true;
  host_.ShowMessage(MessageKind::Warning, platform::SystemStringToUtf8(path) + refusal,
                    MessageButtons::Ok);
  return false;
}

void ConversionRun::UseOutputFile(const std::string& path) {
  settings_.OutputToFile = true;
  files_.SetOutput(path, host_);
  host_.ShowOutputList();
}

// Back to overwrite mode after a rejected output file.
void ConversionRun::RejectOutputFile(const std::string& text, MessageKind kind) {
  settings_.CommandLineError = true;
  host_.ShowMessage(kind, text, MessageButtons::Ok);
  if (settings_.OutputToFile) {
    settings_.OutputToFile = false;
    files_.RemoveOutput();
    host_.SetOverwriteMode();
  }
}

void ConversionRun::SetOutputFile(const std::string& path) {
  if (path.find_first_of("*?") != std::string::npos) {
    return RejectOutputFile(platform::SystemStringToUtf8(path) + message::kOutputHasWildcards,
                            MessageKind::Warning);
  }
  std::string full = ListedPath(path);
  if (platform::SystemFileNameRule().hasDrives) RemoveTrailingDot(full);
  if (FileNamePart(path).empty() || FileNamePart(full).empty()) {
    return RejectOutputFile(platform::SystemStringToUtf8(path) + message::kOutputHasNoName,
                            MessageKind::Error);
  }
  if (files_.FindInput(full)) {
    return RejectOutputFile(platform::SystemStringToUtf8(full) + message::kAlreadyInput,
                            MessageKind::Warning);
  }
  UseOutputFile(full);
}

}  // namespace mxt::fileconv
