#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "app/Session.h"
#include "app/SettingsWindow.h"
#include "fileconv/RunHost.h"

namespace mxt::app {

// The exit codes of a run.
constexpr int kExitDone = 0;
constexpr int kExitError = 1;  // an error ended the run, or the command line was rejected
constexpr int kExitCannotStart = 2;

// Asks the user, in a box or on the console.
using Asker = std::function<fileconv::MessageAnswer(
    fileconv::MessageKind kind, std::string_view text, fileconv::MessageButtons buttons)>;

// Finds out which system this is, into `settings`; on one the program does not support,
// the user may end here: false then.
bool CheckOs(const Asker& ask, fileconv::Settings& settings);

// Whether the settings live in the INI file beside the program: when the first argument
// asks for it, and always on the systems whose registry the program does not use.
bool DecideStorage(const std::vector<std::string>& arguments, std::uint8_t osKind);

// Loads the settings and places `window`; a failure is reported (its own text, then the
// load failure) and start-up goes on.
void LoadStoredSettings(Session& session, SettingsWindow& window);

// Applies the start's command line to the settings just loaded; what it rejected is
// reported once start-up no longer holds up a second start.
void ParseCommandLine(Session& session);

// After a failed load, tells the user of a window that its settings will not be saved.
void TellWhenSettingsStayUnsaved(Session& session);

// Tells the user of a window, for this reason, that later starts cannot hand it files.
void TellNoHandOver(Session& session, std::string_view reason);

// What the first idle moment's run came to.
enum class FirstRun {
  NotStarted,  // nothing to convert, or no run asked for
  Refused,     // a check before the run refused it, after saying why
  Done,
  Failed,  // an error ended it, and was shown
};

// What the first idle moment does: the files, the output file, the last folder, the run.
FirstRun RunFirstIdle(Session& session);

// As the message loop shows an error that reaches it: its text and "。".
void ShowError(const std::exception& error, fileconv::MessageHost& host);

// The exit code of a "/B" run, after its first idle moment.
int BatchExitCode(const Session& session, FirstRun run);

// A report line per entry: its path, a tab and its status as the list shows it; then the
// names that added no entry, and the output file.
void Report(const Session& session, std::ostream& report);
// Sends the report out and returns `exitCode`; when it cannot be written (a full disk, a
// closed standard output), says so on `errors` and returns kExitError: a script must not take
// files for converted that it was never told of.
int FinishReport(std::ostream& report, std::ostream& errors, int exitCode);

// Whether there is a display to open the window on (or a platform of the toolkit's own
// chosen instead). Without one only a "/B" start can run.
bool HasDisplay();

// The whole life of a start without a window: settings, command line, the run, and a
// report line per entry on `report`. Returns the exit code.
int RunWithoutWindow(const std::vector<std::string>& arguments, std::ostream& report,
                     std::ostream& errors);

}  // namespace mxt::app
