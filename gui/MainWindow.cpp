#include "gui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusTipEvent>

#include "app/IniStore.h"
#include "app/StoredSettings.h"
#include "gui/ConversionArrow.h"
#include "gui/FileDropTarget.h"
#include "gui/HelpContext.h"
#include "gui/Pictures.h"
#include "platform/Process.h"

namespace mxt::gui {

namespace {

// The whole window, frame included, can be made no smaller.
constexpr QSize kMinimumTrackingSize(288, 220);
constexpr QSize kClientSize(428, 254);

}  // namespace

MainWindow::MainWindow(app::StartupInfo start, MessageAnswerer answerer)
    : session_(*this, std::move(start)), viewer_(platform::StartDetached) {
  boxes_.SetAnswerer(std::move(answerer));
  setObjectName(QStringLiteral("MXTWForm"));
  setMinimumSize(kMinimumTrackingSize);
  AssignHelpContext(*this);
  QCoreApplication::instance()->installEventFilter(new HelpKeyFilter(help_, this));
  setWindowTitle(QStringLiteral("MXT"));
  setWindowIcon(ProgramIcon());
  MakeControls();
  MakeMenus();
  ConnectCommands();
  dropTarget_ = new FileDropTarget(*this, [this](std::vector<std::string> names) {
    RunCommand([&] { AddDroppedFiles(names, false); });
  });
  resize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
  session_.files.MeasureNames(*this);
  SetOutputKanjiCode(engine::kOutputShiftJIS);
  SetOutputNewlineCode(0);
  app::LoadStoredSettings(session_, *this);
  ApplyStyle();
  ApplyStoredListFont();
  convListBox_->move(4, toolbar_->y() + toolbar_->height() + 4);
  outputListBox_->move(4, 179);
  app::ParseCommandLine(session_);
  app::TellWhenSettingsStayUnsaved(session_);
  const fileconv::Settings& settings = session_.settings;
  if (settings.OutputToFile) {
    ShowOutputList();
  } else {
    SetOverwriteModeFrom(nullptr);
  }
  SetOutputKanjiCode(settings.OutputKanjiCode <= engine::kOutputUTF8 ? settings.OutputKanjiCode
                                                                     : engine::kOutputShiftJIS);
  SetOutputNewlineCode(static_cast<int>(settings.OutputNewlineCode));
  // Until start-up is complete the output file named on the command line is not set.
  outputToFileButton_->SetMouseLocked(true);
  // The convert button, first in the tab order, is disabled: the list is the control that
  // has the focus from the start, also for a first idle moment before the window is active.
  convListBox_->setFocus();
  OpenChannel();
}

MainWindow::~MainWindow() {
  help_.Close();
  DeleteViewerCopies();
  SaveStoredSettings();
}

app::FirstRun MainWindow::OnFirstIdle() {
  session_.startupLock.Release();
  outputToFileButton_->SetMouseLocked(false);
  const app::FirstRun run = app::RunFirstIdle(session_);
  // A batch run that found nothing to convert has nothing to show either.
  const fileconv::Settings& settings = session_.settings;
  const bool nothingRan = run == app::FirstRun::NotStarted || run == app::FirstRun::Refused;
  if (settings.BatchMode && settings.ConvWhenExecuted && settings.QuitWhenConverted && nothingRan)
    close();
  return run;
}

void MainWindow::SaveStoredSettings() {
  if (!session_.saveSettingsOnClose) return;
  try {
    const auto store = app::OpenSettingsStore(session_.settings.UseIniFile);
    app::SaveSettings(session_.settings, *this, *store);
  } catch (const std::exception& error) {
    app::ShowError(error, *this);
  }
}

void MainWindow::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    app::ShowError(error, *this);
  }
}

fileconv::MessageAnswer MainWindow::ShowMessage(fileconv::MessageKind kind, std::string_view text,
                                                fileconv::MessageButtons buttons) {
  return boxes_.Show(isVisible() ? this : nullptr, kind, text, buttons);
}

// A hint that reaches the window goes to the status line; none brings the selected entry's
// path back.
bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    if (hintsOn_) ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The frame is known only once the window is on the screen.
  const QSize frame = frameGeometry().size() - geometry().size();
  setMinimumSize((kMinimumTrackingSize - frame).expandedTo(QSize(0, 0)));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RememberNormalPlace();
  LayoutControls();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  RememberNormalPlace();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!session_.run.Busy()) return event->accept();
  const auto answer = [this] {
    const ArrowDuringRun arrow(session_.run.Busy());
    return ShowMessage(fileconv::MessageKind::Confirmation,
                       tr("MXT は変換中です。MXT を終了してもよろしいですか。").toStdString(),
                       fileconv::MessageButtons::OkCancel);
  }();
  if (answer != fileconv::MessageAnswer::Ok) return event->ignore();
  session_.run.RequestAbort();
  event->accept();
}

}  // namespace mxt::gui
