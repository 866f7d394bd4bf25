#include "gui/MainWindow.h"
#include "gui/ConversionArrow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusTipEvent>

#include "app/CommandLine.h"
#include "app/IniStore.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/StartupLock.h"
#include "engine/ConversionBuffers.h"
#include "engine/EscapeSequence.h"
#include "fileconv/FileList.h"
#include "fileconv/RunState.h"
#include "gui/HelpContext.h"
#include "gui/HelpWindow.h"
#include "gui/MessageBox.h"
#include "gui/Pictures.h"
#include "platform/Process.h"

namespace mxt::gui {

namespace {

using fileconv::Settings;

constexpr QSize kMinimumTrackingSize(288, 220);
constexpr QSize kClientSize(428, 254);

}  // namespace

MainWindow::MainWindow(const std::vector<std::string>& arguments)
    : TDropForm(kMinimumTrackingSize),
      arguments_(arguments),
      startProgram_(platform::StartDetached) {
  setObjectName(QStringLiteral("MXTWForm"));
  AssignHelpContext(*this);
  QCoreApplication::instance()->installEventFilter(new HelpKeyFilter(this));
  setWindowTitle(QStringLiteral("MXT"));
  setWindowIcon(ProgramIcon());
  MakeControls();
  MakeMenus();
  ConnectCommands();
  OnDropFiles = [this](int x, int y, bool inClientArea) {
    RunCommand([&] { FormDropFiles(x, y, inClientArea); });
  };
  resize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
  fileconv::InitTabStops(*this);
  SetOutputKanjiCode(engine::kOutputShiftJIS);
  SetOutputNewlineCode(0);
  LoadStoredSettings();
  ApplyStyle();
  ApplyStoredListFont();
  convListBox_->move(4, speedBar_->y() + speedBar_->height() + 4);
  outputListBox_->move(4, 179);
  app::ParseCommandLine(arguments_, *this);
  if (Settings.OutputToFile) {
    ShowOutputList();
  } else {
    SetOverwriteModeFrom(nullptr);
  }
  SetOutputKanjiCode(Settings.OutputKanjiCode <= engine::kOutputJIS ? Settings.OutputKanjiCode
                                                                    : engine::kOutputShiftJIS);
  engine::SelectEscapeSequenceSet(Settings.EscapeSequence);
  SetOutputNewlineCode(static_cast<int>(Settings.OutputNewlineCode));
  engine::AllocateConversionBuffers();
  // Until start-up is complete the output file named on the command line is not set.
  outputToFileButton_->SetMouseLocked(true);
  OpenChannel();
  created_ = true;
}

MainWindow::~MainWindow() {
  CloseHelp();
  DeleteViewerTempFiles();
  SaveStoredSettings();
  fileconv::ClearFileList();
  fileconv::Files.Output.reset();
  engine::FreeConversionBuffers();
}

bool MainWindow::OnFirstIdle() {
  app::ReleaseStartupMutex();
  outputToFileButton_->SetMouseLocked(false);
  return app::RunFirstIdle(*this);
}

void MainWindow::LoadStoredSettings() {
  app::LoadStoredSettings(*this, *this);
}

void MainWindow::SaveStoredSettings() {
  try {
    const auto store = app::OpenSettingsStore(Settings.UseIniFile);
    app::SaveSettings(*this, *store);
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

void MainWindow::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

void MainWindow::ShowError(const std::exception& error) {
  app::ShowError(error, *this);
}

fileconv::MessageAnswer MainWindow::ShowMessage(fileconv::MessageKind kind, std::string_view text,
                                                fileconv::MessageButtons buttons) {
  return gui::ShowMessage(isVisible() ? this : nullptr, kind, text, buttons);
}

// A hint that reaches the window goes to the status line; none brings the selected entry's
// path back.
bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    if (hintsOn_) ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return TDropForm::event(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  TDropForm::resizeEvent(event);
  RememberNormalPlace();
  LayoutControls();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  TDropForm::moveEvent(event);
  RememberNormalPlace();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!fileconv::RunStatus.Busy) return event->accept();
  const auto answer = [this] {
    const ArrowDuringRun arrow;
    return ShowMessage(fileconv::MessageKind::Confirmation,
                       "MXT は変換中です。MXT を終了してもよろしいですか。",
                       fileconv::MessageButtons::OkCancel);
  }();
  if (answer != fileconv::MessageAnswer::Ok) return event->ignore();
  fileconv::RunStatus.Abort = true;
  event->accept();
}

}  // namespace mxt::gui
