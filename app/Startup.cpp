#include "app/Startup.h"

#include <cstdlib>
#include <exception>
#include <ostream>

#include "app/CommandLine.h"
#include "app/ConsoleHost.h"
#include "app/HeadlessWindow.h"
#include "app/IniStore.h"
#include "app/Settings.h"
#include "app/StartupLock.h"
#include "app/Usage.h"
#include "engine/ConversionBuffers.h"
#include "engine/EscapeSequence.h"
#include "fileconv/ConversionRun.h"
#include "fileconv/FileList.h"
#include "fileconv/PathText.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "platform/CurrentDirectory.h"
#include "platform/OsKind.h"
#include "platform/StopSignals.h"

namespace mxt::app {

namespace {

using fileconv::Settings;

// A path on one line of the report, whatever characters its names hold.
std::string ReportedPath(std::string_view path) {
  std::string line;
  for (const char c : path) {
    if (c == '\t') {
      line += "\\t";
    } else if (c == '\n') {
      line += "\\n";
    } else if (c == '\\') {
      line += "\\\\";
    } else {
      line += c;
    }
  }
  return line;
}

void Report(std::ostream& report) {
  for (const auto& entry : fileconv::Files.Inputs) {
    const std::string status = fileconv::StatusColumns(*entry, fileconv::ListId::Input);
    report << ReportedPath(entry->Path) << '\t' << (status.empty() ? "Not converted." : status)
           << '\n';
  }
  for (const UnlistedName& name : CommandLine.UnlistedNames) {
    report << ReportedPath(name.argument) << "\tSkipped:\t" << fileconv::StatusText(name.reason)
           << '\n';
  }
  if (Settings.OutputToFile && fileconv::Files.Output) {
    const auto& output = *fileconv::Files.Output;
    report << ReportedPath(output.Path) << '\t'
           << fileconv::StatusColumns(output, fileconv::ListId::Output) << '\n';
  }
}

}  // namespace

void ShowError(const std::exception& error, fileconv::RunHost& host) {
  host.ShowMessage(fileconv::MessageKind::Error, std::string(error.what()) + "。",
                   fileconv::MessageButtons::Ok);
}

bool CheckOs(const Asker& ask) {
  const platform::OsKindInfo os = platform::DetectOsKind();
  Settings.OsKind = os.kind;
  Settings.NewUiFont = os.newUiFont;
  Settings.GUIStyle = platform::DefaultGuiStyle(os.kind);
  if (os.kind != 0 && os.kind != 4) return true;
  return ask(fileconv::MessageKind::Warning,
             "このバージョンの MXT は、この OS をサポートしていません。この OS "
             "上での動作は保証されません。プログラムを終了します。",
             fileconv::MessageButtons::OkCancel) == fileconv::MessageAnswer::Cancel;
}

void LoadStoredSettings(SettingsWindow& window, fileconv::RunHost& host) {
  try {
    const auto store = OpenSettingsStore(Settings.UseIniFile);
    LoadSettings(window, *store);
  } catch (const std::exception& error) {
    ReleaseStartupMutex();
    ShowError(error, host);
    host.ShowMessage(fileconv::MessageKind::Error, kLoadFailedMessage,
                     fileconv::MessageButtons::Ok);
  }
}

bool RunFirstIdle(fileconv::RunHost& host) {
  if (CommandLine.CommandLineFileCount > 0) AddCommandLineFiles(host);
  if (Settings.OutputToFile) fileconv::SetOutputFile(Settings.OutputFileName, host);
  if (!Settings.LastDir.empty())
    platform::ChangeDirectory(Settings.LastDir);  // a folder gone since is no error
  const bool convertEnabled = !fileconv::Files.Inputs.empty();
  if (!Settings.ConvWhenExecuted || Settings.CommandLineError || !convertEnabled) return true;
  try {
    return fileconv::ConvertAllGuarded(host);
  } catch (const std::exception& error) {
    ShowError(error, host);
    return false;
  }
}

int BatchExitCode(bool ranWithoutError) {
  const bool allNamesListed = CommandLine.UnlistedNames.empty();
  return ranWithoutError && !Settings.CommandLineError && allNamesListed ? kExitDone : kExitError;
}

bool HasDisplay() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return true;
  }
  return false;
}

bool DecideStorage(const std::vector<std::string>& arguments, std::uint8_t osKind) {
  if (osKind == 0 || osKind == 4) return true;
  if (arguments.empty()) return false;
  const std::string& first = arguments.front();
  return first.size() == 8 && (first[0] == '/' || first[0] == '-') &&
         fileconv::UpperAscii(first.substr(1)) == "INIFILE";
}

int RunWithoutWindow(const std::vector<std::string>& arguments, std::ostream& report,
                     std::ostream& errors) {
  if (AsksForHelp(arguments)) {
    report << UsageText();
    return kExitDone;
  }
  ConsoleHost host(errors);
  fileconv::ResetSettings();
  const auto ask = [&host](fileconv::MessageKind kind, std::string_view text,
                           fileconv::MessageButtons buttons) {
    return host.ShowMessage(kind, text, buttons);
  };
  if (!CheckOs(ask)) return kExitCannotStart;
  Settings.UseIniFile = DecideStorage(arguments, Settings.OsKind);
  HeadlessWindow window;
  LoadStoredSettings(window, host);
  ParseCommandLine(arguments, host);
  if (!Settings.BatchMode) {
    errors << "MXT: ディスプレイがないため、ウィンドウを開けません。バッチ実行には /B "
              "を指定してください。\n";
    return kExitCannotStart;
  }
  platform::CatchStopSignals();
  engine::SelectEscapeSequenceSet(Settings.EscapeSequence);
  engine::AllocateConversionBuffers();
  const bool ranWithoutError = RunFirstIdle(host);
  if (fileconv::Files.Inputs.empty()) {
    host.ShowMessage(fileconv::MessageKind::Information, "変換するファイルがありません。",
                     fileconv::MessageButtons::Ok);
  }
  Report(report);
  const std::size_t undeleted = fileconv::DeleteViewerTempFiles();
  if (undeleted > 0) {
    host.ShowMessage(fileconv::MessageKind::Information,
                     std::to_string(undeleted) +
                         " 個のテンポラリファイルは、すでに存在しないか現在使用中などの理由により、"
                         "削除できませんでした。",
                     fileconv::MessageButtons::Ok);
  }
  engine::FreeConversionBuffers();
  return BatchExitCode(ranWithoutError);
}

}  // namespace mxt::app
