#include "gui/WindowedStart.h"

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <iostream>
#include <optional>

#include "app/HandOver.h"
#include "app/IniStore.h"
#include "app/Startup.h"
#include "app/StoredSettings.h"
#include "app/Version.h"
#include "gui/HandOverClient.h"
#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "gui/WindowTranslation.h"
#include "platform/LockFile.h"
#include "platform/StopSignals.h"

namespace mxt::gui {

namespace {

fileconv::MessageAnswer AskInABox(fileconv::MessageKind kind, std::string_view text,
                                  fileconv::MessageButtons buttons) {
  return ShowMessage(nullptr, kind, text, buttons);
}

// Every instance holds the instance lock shared while it runs: it tells a later start
// that another instance runs.
std::optional<platform::LockFile> HoldInstanceLock() {
  try {
    return platform::LockFile::TryLock(platform::kInstanceLockName,
                                       platform::LockFile::Mode::Shared);
  } catch (const std::exception&) {
    return std::nullopt;  // without a runtime folder there is no single instance to keep
  }
}

bool AnotherInstanceRuns() {
  try {
    return !platform::LockFile::TryLock(platform::kInstanceLockName,
                                        platform::LockFile::Mode::Exclusive);
  } catch (const std::exception&) {
    return false;
  }
}

// Whether ConvWhenExecuted is stored as 1, read before any window exists; an error is
// shown and reads as 0.
bool ConvertsOnStart(bool useIniFile) {
  try {
    const auto store = app::OpenSettingsStore(useIniFile);
    return app::ReadConvWhenExecuted(*store);
  } catch (const std::exception& error) {
    ShowMessage(nullptr, fileconv::MessageKind::Error, std::string(error.what()) + "。",
                fileconv::MessageButtons::Ok);
    return false;
  }
}

// The stored choice, read before any window exists; what cannot be read follows the system,
// and the window's load reports it.
app::WindowLanguage LanguageOfWindow(bool useIniFile) {
  int stored = 0;
  try {
    const auto store = app::OpenSettingsStore(useIniFile);
    stored = app::ReadLanguage(*store);
  } catch (const std::exception&) {
  }
  return SystemWindowLanguage(stored);
}

// An instance that is still starting is given its time to make its window.
void WaitForStartingInstance() {
  using namespace std::chrono_literals;
  try {
    platform::LockFile::Lock(platform::kStartupLockName, platform::LockFile::Mode::Exclusive,
                             3000ms);
  } catch (const std::exception&) {
  }
}

// A stop signal ends the program as its exit command does, once no run is in progress.
void CloseOnStopSignal(MainWindow& window) {
  auto* watch = new QTimer(&window);
  QObject::connect(watch, &QTimer::timeout, &window, [&window] {
    if (platform::StopSignalled() && !window.Session().run.Busy()) window.close();
  });
  watch->start(200);
}

}  // namespace

int RunWindowed(const std::vector<std::string>& arguments, int& argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setDesktopFileName(QString::fromLatin1(app::kAppId));
  app::StartupInfo start{arguments, {}, {}};
  if (!app::CheckOs(AskInABox, start.settings)) return app::kExitCannotStart;
  start.settings.UseIniFile = app::DecideStorage(arguments, start.settings.OsKind);
  InstallTranslations(application, LanguageOfWindow(start.settings.UseIniFile));
  if (AnotherInstanceRuns() &&
      app::ShouldHandOver(arguments, ConvertsOnStart(start.settings.UseIniFile))) {
    WaitForStartingInstance();
    HandOver(arguments);
    return app::kExitDone;
  }
  const auto instanceLock = HoldInstanceLock();
  start.startupLock.Acquire();
  std::optional<MainWindow> window;
  try {
    window.emplace(std::move(start));
  } catch (const std::exception&) {
    ShowMessage(nullptr, fileconv::MessageKind::Error,
                QCoreApplication::translate("MainWindow", "メインウィンドウの作成に失敗しました。")
                    .toStdString(),
                fileconv::MessageButtons::Ok);
    return app::kExitCannotStart;
  }
  platform::CatchStopSignals();
  CloseOnStopSignal(*window);
  window->show();
  app::FirstRun run = app::FirstRun::NotStarted;
  QTimer::singleShot(0, &*window, [&] { run = window->OnFirstIdle(); });
  QApplication::exec();
  const app::Session& session = window->Session();
  if (!session.settings.BatchMode) return app::kExitDone;
  app::Report(session, std::cout);
  return app::FinishReport(std::cout, std::cerr, app::BatchExitCode(session, run));
}

}  // namespace mxt::gui
