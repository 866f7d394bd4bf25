#include "fileconv/ConversionRun.h"

#include <algorithm>
#include <array>
#include <exception>
#include <functional>

#include "fileconv/OneFileConversion.h"
#include "fileconv/PathIndex.h"
#include "fileconv/PathText.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "fileconv/TrueCase.h"
#include "fileconv/UserError.h"
#include "platform/FileIdentity.h"
#include "platform/FileNameRule.h"
#include "platform/FileSystem.h"
#include "platform/StopSignals.h"
#include "platform/SystemString.h"

namespace mxt::fileconv {

namespace {

constexpr std::array<std::string_view, 11> kLockedMenuItems = {
    "ファイルを選択(&S)...",       "クリア(&L)",          "上書き(&V)",
    "別ファイルに出力(&A)...",     "フォント(&F)...",     "出力コード(&O)...",
    "入力コード(&I)...",           "ファイル全般(&F)...", "ビューア(&V)...",
    "ユーザインタフェース(&U)...", "デフォルト(&D)",
};

constexpr char kStopped[] = "終了の要求を受けたため、変換を中断しました";

constexpr char kAlreadyInput[] =
    "\rこのファイルは、すでに入力元として指定されているため、出力先には指定できません。";

bool Processed(const FileEntry& entry) {
  return entry.State == RunResult::Converted || entry.State == RunResult::Skipped;
}

bool Ready(const FileEntry& entry) {
  return entry.State == RunResult::Ready;
}

void LockWindow(RunHost& host) {
  host.SetStatusText("");
  host.SetCommandsLocked(kLockedMenuItems, true);
  host.SetConvertButton("中断(&B)", true);
  host.SetBusy(true);
}

void RestoreWindow(RunHost& host) {
  host.SetBusy(false);
  host.SetConvertButton("変換(&C)", false);
  host.SetCommandsLocked(kLockedMenuItems, false);
  host.SetStatusText(RunStatus.StatusText);
  if (Settings.OutputToFile) RefreshOutputItem(host);
  host.RefreshFocusedEntry();
}

// The file is closed whatever the conversion does.
void ConvertAndClose() {
  try {
    ConvertFile();
  } catch (...) {
    CloseInputFile();
    throw;
  }
  CloseInputFile();
}

// Where a file stands in the run: the how-manieth of how many.
struct RunPosition {
  std::size_t number;
  std::size_t count;
};

// A file this large shows how far it is, since no event gets through before its end.
constexpr std::int64_t kLargeFile = std::int64_t{64} << 20;

// Shows the percentage of a large file read, each time it grows, with paint events only.
std::function<void(std::int64_t)> ShowHowFar(const std::string& status, RunHost& host) {
  if (Conversion.FoundSize <= kLargeFile) return nullptr;
  return [&status, &host, shown = -1](std::int64_t read) mutable {
    const auto percent = static_cast<int>(read * 100 / Conversion.FoundSize);
    if (percent == shown) return;
    shown = percent;
    host.SetStatusText(status + " " + std::to_string(percent) + "%");
    host.ProcessPaintEvents();
  };
}

// Converts one entry that passed its checks and is open.
void ConvertOpenEntry(std::size_t index, RunPosition position, RunHost& host) {
  FileEntry& entry = *Conversion.CurrentItem;
  const std::string status = " Converting " + entry.Path + " (" + std::to_string(position.number) +
                             "/" + std::to_string(position.count) + ")";
  host.SetStatusText(status);
  host.RedrawLine(ListId::Input, index);
  Conversion.BlockRead = ShowHowFar(status, host);
  struct Forget {
    ~Forget() { Conversion.BlockRead = nullptr; }
  } forget;
  ConvertAndClose();
  if (!Ready(entry)) return;
  RecordResultCode();
  if (Settings.OutputToFile && UpdateOutputItem()) host.RedrawLine(ListId::Output, 0);
}

void ConvertEntry(std::size_t index, RunPosition position, RunHost& host) {
  FileEntry& entry = *Files.Inputs[index];
  Conversion.CurrentItem = &entry;
  entry.Bitmap = FileImage::UnknownFileImage;
  try {
    CheckFile();
    if (Ready(entry)) OpenInputFile();
    if (Ready(entry)) ConvertOpenEntry(index, position, host);
  } catch (...) {
    entry.State = RunResult::Aborted;
    host.RedrawLine(ListId::Input, index);
    throw;
  }
}

// Back to overwrite mode after a rejected output file.
void RejectOutputFile(const std::string& text, MessageKind kind, RunHost& host) {
  Settings.CommandLineError = true;
  host.ShowMessage(kind, text, MessageButtons::Ok);
  if (Settings.OutputToFile) {
    Settings.OutputToFile = false;
    Files.Output.reset();
    host.SetOverwriteMode();
  }
}

}  // namespace

bool CheckOutputCode(RunHost& host) {
  const FileEntry* output = Files.Output.get();
  if (!Settings.OutputToFile || !output || output->State != RunResult::Converted ||
      output->Code == kNoKanjiWritten || output->Code == Settings.OutputKanjiCode) {
    return true;
  }
  host.ShowMessage(
      MessageKind::Warning,
      "同じファイルに、前回出力した漢字コードと違う漢字コードを出力しようとしています。"
      "変換をキャンセルします。",
      MessageButtons::Ok);
  return false;
}

bool CheckOutputIsNoInput(RunHost& host) {
  if (!Settings.OutputToFile || !Files.Output) return true;
  const FileEntry& output = *Files.Output;
  const auto outputFile = platform::FileIdentityOf(output.Path);
  if (!outputFile) return true;
  for (const auto& entry : Files.Inputs) {
    const auto input = platform::FileIdentityOf(entry->Path);
    if (!input || !input->SameFileAs(*outputFile)) continue;
    host.ShowMessage(MessageKind::Warning,
                     platform::SystemStringToUtf8(output.Path) + kAlreadyInput, MessageButtons::Ok);
    return false;
  }
  return true;
}

bool ConfirmReconversion(RunHost& host) {
  if (!RunStatus.AllDone) return true;
  if (host.ShowMessage(MessageKind::Confirmation, "変換し直しますか ?", MessageButtons::OkCancel) ==
      MessageAnswer::Cancel) {
    return false;
  }
  RunStatus.AllDone = false;
  for (auto& entry : Files.Inputs) {
    entry->State = RunResult::None;
    entry->Code = 0;
  }
  host.RepaintList(ListId::Input);
  return true;
}

bool ConvertAll(RunHost& host) {
  if (!CheckOutputCode(host) || !CheckOutputIsNoInput(host) || !ConfirmReconversion(host))
    return false;
  LockWindow(host);
  RunStatus.Abort = false;
  RunStatus.Busy = true;
  Conversion.OutputItem = Settings.OutputToFile ? Files.Output.get() : nullptr;
  const std::size_t count = Files.Inputs.size();
  const auto inRun =
      static_cast<std::size_t>(std::count_if(Files.Inputs.begin(), Files.Inputs.end(),
                                             [](const auto& entry) { return !Processed(*entry); }));
  std::size_t started = 0;
  std::size_t done = 0;
  // Whether the run ends by an error or not.
  auto finish = [&] {
    RunStatus.Busy = false;
    RunStatus.AllDone = count <= done;
    RestoreWindow(host);
  };
  try {
    for (std::size_t i = 0; i < count && !RunStatus.Abort; ++i, ++done) {
      FileEntry& entry = *Files.Inputs[i];
      if (Processed(entry)) continue;
      if (platform::StopSignalled()) throw UserError(kStopped);
      ConvertEntry(i, {++started, inRun}, host);
      host.ProcessPendingEvents();
      if (Ready(entry)) entry.State = RunResult::Converted;
      host.RedrawLine(ListId::Input, i);
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  if (Settings.QuitWhenConverted && !RunStatus.Abort) host.CloseMainWindow();
  return true;
}

bool ConvertAllGuarded(RunHost& host) {
  RunStatus.RunGuard = true;
  struct Release {
    ~Release() { RunStatus.RunGuard = false; }
  } release;
  return ConvertAll(host);
}

void ConvButtonClick(RunHost& host) {
  RunStatus.Abort = true;
  if (!RunStatus.RunGuard) ConvertAllGuarded(host);
}

void ConvertForView(std::size_t index) {
  FileEntry& entry = *Files.Inputs[index];
  const bool savedOutputToFile = Settings.OutputToFile;
  const std::uint8_t savedWay = Settings.WayToOverwrite;
  const FileEntry saved = entry;
  Conversion.ViewMode = true;
  Conversion.CurrentItem = &entry;
  Settings.OutputToFile = true;
  Settings.WayToOverwrite = 1;
  auto restore = [&] {
    Settings.OutputToFile = savedOutputToFile;
    Settings.WayToOverwrite = savedWay;
    entry.State = saved.State;
    entry.Reason = saved.Reason;
    entry.Code = saved.Code;
    Conversion.ViewMode = false;
  };
  try {
    CheckFile();
    if (Ready(entry)) OpenInputFile();
    if (Ready(entry)) {
      ConvertAndClose();
      if (Ready(entry) && saved.State == RunResult::None) RecordResultCode();
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

std::size_t DeleteViewerTempFiles() {
  std::size_t failures = 0;
  for (const std::string& path : RunStatus.ViewerTempFiles) {
    try {
      platform::DeleteFile(path);
    } catch (const std::exception&) {
      ++failures;
    }
  }
  RunStatus.ViewerTempFiles.clear();
  return failures;
}

bool AcceptOutputFile(const std::string& path, RunHost& host) {
  if (!FindByPath(PathIndexKey(path))) return true;
  host.ShowMessage(MessageKind::Warning, platform::SystemStringToUtf8(path) + kAlreadyInput,
                   MessageButtons::Ok);
  return false;
}

void UseOutputFile(const std::string& path, RunHost& host) {
  Settings.OutputToFile = true;
  auto entry = std::make_unique<FileEntry>(FileEntry::OutputEntry(path));
  entry->DisplayName = ShortenFileName(entry->Name, host);
  Files.Output = std::move(entry);
  RunStatus.OutputPath = path;
  host.ShowOutputList();
}

void SetOutputFile(const std::string& path, RunHost& host) {
  if (path.find_first_of("*?") != std::string::npos) {
    return RejectOutputFile(platform::SystemStringToUtf8(path) +
                                "\r出力先の指定にワイルドカードを含めることはできません。",
                            MessageKind::Warning, host);
  }
  std::string full = ListedPath(path);
  if (platform::SystemFileNameRule().hasDrives) RemoveTrailingDot(full);
  if (FileNamePart(path).empty() || FileNamePart(full).empty()) {
    return RejectOutputFile(
        platform::SystemStringToUtf8(path) + "\r出力先の指定にファイル名が含まれていません。",
        MessageKind::Error, host);
  }
  if (FindByPath(PathIndexKey(full))) {
    return RejectOutputFile(platform::SystemStringToUtf8(full) + kAlreadyInput,
                            MessageKind::Warning, host);
  }
  UseOutputFile(full, host);
}

void RefreshOutputItem(RunHost& host) {
  FileEntry* output = Files.Output.get();
  if (!output) return;
  const std::string onDisk = ListedPath(output->Path);
  if (onDisk == output->Path) return;
  output->Path = onDisk;
  output->Name = FileNamePart(onDisk);
  output->DisplayName = ShortenFileName(output->Name, host);
}

std::string ResultCodeText(std::uint8_t code) {
  static constexpr const char* kNames[] = {"Shift-JIS", "EUC", "JIS"};
  const unsigned in = code & 0x0F;
  const unsigned out = code >> 4;
  switch (in) {
    case 1:
    case 2:
    case 3: {
      std::string text = kNames[in - 1];
      if (out <= 2 && out != in - 1) text += std::string(" to ") + kNames[out];
      return text;
    }
    case 4:
      return "Ascii";
    case 5:
      return "Unknown";
    case 6:
      return "Binary";
    case 7:
      return "UTF-8";
    default:
      return "";
  }
}

std::string StatusColumns(const FileEntry& entry, ListId list) {
  if (list == ListId::Output) {
    static constexpr const char* kCodes[] = {"Shift-JIS", "EUC", "JIS"};
    if (entry.State != RunResult::Converted) return "";
    return std::string("Output:\t") + (entry.Code <= 2 ? kCodes[entry.Code] : "");
  }
  switch (entry.State) {
    case RunResult::Aborted:
      return "Aborted.";
    case RunResult::Converted:
      return "Converted:\t" + ResultCodeText(entry.Code);
    case RunResult::Skipped:
      return "Skipped:\t" + std::string(fileconv::StatusText(entry.Reason));
    default:
      return "";
  }
}

}  // namespace mxt::fileconv
