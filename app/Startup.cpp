#include "app/Startup.h"

#include <cstdlib>
#include <exception>
#include <optional>
#include <ostream>

#include "app/ConsoleHost.h"
#include "app/HandOverChannel.h"
#include "app/HeadlessWindow.h"
#include "app/IniStore.h"
#include "app/MessageTexts.h"
#include "app/StandardStreams.h"
#include "app/StoredSettings.h"
#include "fileconv/PathText.h"
#include "fileconv/TempFile.h"
#include "platform/CurrentDirectory.h"
#include "platform/OsKind.h"
#include "platform/StopSignals.h"

namespace mxt::app {

namespace {

using fileconv::MessageButtons;
using fileconv::MessageKind;

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

// An entry the run never reached, the output file's included, says so rather than nothing.
std::string ReportedStatus(const fileconv::FileEntry& entry, fileconv::ListId list) {
  const std::string status = fileconv::StatusColumns(entry, list);
  return status.empty() ? "Not converted." : status;
}

}  // namespace

void ShowError(const std::exception& error, fileconv::MessageHost& host) {
  host.ShowMessage(MessageKind::Error, std::string(error.what()) + "。", MessageButtons::Ok);
}

bool CheckOs(const Asker& ask, fileconv::Settings& settings) {
  const platform::OsKindInfo os = platform::DetectOsKind();
  settings.OsKind = os.kind;
  settings.NewUiFont = os.newUiFont;
  settings.GUIStyle = platform::DefaultGuiStyle(os.kind);
  if (os.kind != 0 && os.kind != 4) return true;
  return ask(MessageKind::Warning, message::kUnsupportedOs, MessageButtons::OkCancel) ==
         fileconv::MessageAnswer::Cancel;
}

bool DecideStorage(const std::vector<std::string>& arguments, std::uint8_t osKind) {
  if (osKind == 0 || osKind == 4) return true;
  if (arguments.empty()) return false;
  const std::string& first = arguments.front();
  return first.size() == 8 && (first[0] == '/' || first[0] == '-') &&
         fileconv::UpperAscii(first.substr(1)) == "INIFILE";
}

void LoadStoredSettings(Session& session, SettingsWindow& window) {
  try {
    const auto store = OpenSettingsStore(session.settings.UseIniFile);
    LoadSettings(session.settings, window, *store);
  } catch (const std::exception& error) {
    session.startupLock.Release();
    ShowError(error, session.host);
    session.host.ShowMessage(MessageKind::Error, message::kLoadFailed, MessageButtons::Ok);
    session.saveSettingsOnClose = false;
  }
}

void ParseCommandLine(Session& session) {
  const std::vector<std::string> rejected =
      session.commandLine.Parse(session.arguments, session.settings);
  if (rejected.empty()) return;
  session.startupLock.Release();
  for (const std::string& text : rejected)
    session.host.ShowMessage(MessageKind::Error, text, MessageButtons::Ok);
}

void TellWhenSettingsStayUnsaved(Session& session) {
  // A batch run never saves them.
  if (session.saveSettingsOnClose || session.settings.BatchMode) return;
  session.host.ShowMessage(MessageKind::Information, message::kSettingsNotSaved,
                           MessageButtons::Ok);
}

void TellNoHandOver(Session& session, std::string_view reason) {
  // A batch run takes no files from later starts anyway: it is not held up by the box.
  if (session.settings.BatchMode) return;
  session.host.ShowMessage(MessageKind::Warning,
                           std::string(kNoChannelMessage) + std::string(reason),
                           MessageButtons::Ok);
}

FirstRun RunFirstIdle(Session& session) {
  const fileconv::Settings& settings = session.settings;
  // Only a window makes viewer copies; one killed before it could delete them left them.
  if (!settings.BatchMode) fileconv::RemoveLeftViewCopies(settings.TempDir);
  if (session.commandLine.FileCount() > 0)
    session.commandLine.AddFiles(session.files, session.host);
  if (settings.OutputToFile) session.run.SetOutputFile(settings.OutputFileName);
  if (!settings.LastDir.empty())
    platform::ChangeDirectory(settings.LastDir);  // a folder gone since is no error
  const bool convertEnabled = !session.files.Inputs().empty();
  if (!settings.ConvWhenExecuted || settings.CommandLineError || !convertEnabled)
    return FirstRun::NotStarted;
  try {
    return session.run.ConvertAll() ? FirstRun::Done : FirstRun::Refused;
  } catch (const std::exception& error) {
    ShowError(error, session.host);
    return FirstRun::Failed;
  }
}

int BatchExitCode(const Session& session, FirstRun run) {
  const bool ranWithoutError = run == FirstRun::Done || run == FirstRun::NotStarted;
  const bool allNamesListed = session.commandLine.UnlistedNames().empty();
  return ranWithoutError && !session.settings.CommandLineError && allNamesListed ? kExitDone
                                                                                 : kExitError;
}

void Report(const Session& session, std::ostream& report) {
  for (const auto& entry : session.files.Inputs()) {
    report << ReportedPath(entry->Path) << '\t' << ReportedStatus(*entry, fileconv::ListId::Input)
           << '\n';
  }
  for (const UnlistedName& name : session.commandLine.UnlistedNames()) {
    report << ReportedPath(name.argument) << "\tSkipped:\t" << fileconv::StatusText(name.reason)
           << '\n';
  }
  const fileconv::FileEntry* output = session.files.Output();
  if (session.settings.OutputToFile && output) {
    report << ReportedPath(output->Path) << '\t'
           << ReportedStatus(*output, fileconv::ListId::Output) << '\n';
  }
}

int FinishReport(std::ostream& report, std::ostream& errors, int exitCode) {
  if (report.flush()) return exitCode;
  errors << "MXT: the report could not be written.\n";
  return kExitError;
}

bool HasDisplay() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return true;
  }
  return false;
}

int RunWithoutWindow(const std::vector<std::string>& arguments, std::ostream& report,
                     std::ostream& errors) {
  ConsoleHost host(errors);
  StartupInfo start{arguments, {}, {}};
  const auto ask = [&host](MessageKind kind, std::string_view text, MessageButtons buttons) {
    return host.ShowMessage(kind, text, buttons);
  };
  if (!CheckOs(ask, start.settings)) return kExitCannotStart;
  start.settings.UseIniFile = DecideStorage(arguments, start.settings.OsKind);
  Session session(host, std::move(start));
  HeadlessWindow window;
  LoadStoredSettings(session, window);
  ParseCommandLine(session);
  if (!session.settings.BatchMode) {
    errors << "MXT: ディスプレイがないため、ウィンドウを開けません。バッチ実行には /B "
              "を指定してください。\n";
    return kExitCannotStart;
  }
  platform::CatchStopSignals();
  const FirstRun run = RunFirstIdle(session);
  const bool streams =
      session.commandLine.UsesStandardStreams() && !session.settings.CommandLineError;
  std::optional<fileconv::FileEntry> streamed;
  if (streams) streamed = ConvertStandardStreams(session);
  if (session.files.Inputs().empty() && !session.commandLine.UsesStandardStreams()) {
    host.ShowMessage(MessageKind::Information, message::kNothingToConvert, MessageButtons::Ok);
  }
  // Standard output carries the converted text: the report goes beside the messages then.
  std::ostream& lines = streams ? errors : report;
  Report(session, lines);
  if (streamed) lines << "-\t" << ReportedStatus(*streamed, fileconv::ListId::Input) << '\n';
  if (session.settings.DryRun) errors << "MXT: a dry run (/D): nothing was written.\n";
  const bool streamFailed = streamed && StandardStreamsFailed(*streamed);
  return FinishReport(lines, errors, streamFailed ? kExitError : BatchExitCode(session, run));
}

}  // namespace mxt::app
