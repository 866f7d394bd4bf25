// What the layers below ask of the main window: the run's window (RunHost) and the
// window's geometry and fonts for the settings (SettingsWindow).
#include <QApplication>
#include <QFontDatabase>
#include <QScreen>

#include "fileconv/PathText.h"
#include "gui/ConversionArrow.h"
#include "gui/FileDropTarget.h"
#include "gui/Geometry.h"
#include "gui/MainWindow.h"
#include "gui/SystemText.h"

namespace mxt::gui {

namespace {

// The menu items a run must not meet; the toolbar buttons are locked with them.
constexpr const char* kLockedDuringRun[] = {
    "SelectMItem", "ClearMItem",      "OverwriteMItem", "OutputToFileMItem",
    "FontMItem",   "OutputCodeMItem", "InputCodeMItem", "FileOpeMItem",
    "ViewerMItem", "InterfaceMItem",  "DefaultMItem",
};

}  // namespace

// Measured with metrics kept for the list font: thousands of names are measured at once.
std::optional<int> MainWindow::TextWidth(std::string_view text) {
  if (!listMetrics_ || listMetrics_->first != convListBox_->font()) {
    listMetrics_.emplace(convListBox_->font(), QFontMetrics(convListBox_->font()));
  }
  return listMetrics_->second.horizontalAdvance(FromSystem(text));
}

// A run over many small files changes lines faster than anyone can read them: the
// window shows them at most so often, and always at once after a pause.
bool MainWindow::TimeToShow() {
  if (shown_.isValid() && shown_.elapsed() < kShowEveryMilliseconds) return false;
  shown_.start();
  return true;
}

void MainWindow::EntryChanged(fileconv::ListId list, std::size_t index) {
  changedRows_.emplace_back(list, static_cast<int>(index));
  if (TimeToShow()) ShowChangedRows();
}

void MainWindow::ShowChangedRows() {
  for (const auto& [list, row] : changedRows_)
    ModelOf(list).EntryChanged(row);
  changedRows_.clear();
}

void MainWindow::ListChanged(fileconv::ListId list) {
  FileListModel& model = ModelOf(list);
  for (int row = 0; row < model.rowCount(); ++row)
    model.EntryChanged(row);
}

void MainWindow::RunStarted() {
  ShowRunStatus(QString());
  LockCommands(true);
  convButton_->setText(tr("中断(&B)"));
  cancelShortcut_->setEnabled(true);
  items_.at("ConvMItem")->setEnabled(false);
  SetBusy(true);
}

void MainWindow::FileStarted(std::string_view path, std::size_t number, std::size_t count,
                             std::int64_t size) {
  // One pass over the pattern: a "%2" in a file name stays as it is.
  converting_ = QStringLiteral(" Converting %1 (%2/%3)")
                    .arg(FromSystem(fileconv::ShownOnOneLine(path)), QString::number(number),
                         QString::number(count));
  // A file that keeps the window busy for a while shows its name however lately the
  // last one was shown: no paint gets through until its end.
  if (size >= kLongFileBytes) shown_.invalidate();
  ShowRunStatus(converting_);
}

// Only paint events get through: the file keeps the window busy until its end.
void MainWindow::FileProgress(int percent) {
  ShowRunStatus(converting_ + QStringLiteral(" %1%").arg(percent));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Stays as the status line's text once the run has ended.
void MainWindow::FileNote(std::string_view text) {
  statusText_ = QStringLiteral(" ") + FromSystem(fileconv::ShownOnOneLine(text));
  ShowRunStatus(statusText_);
}

void MainWindow::RunEnded() {
  SetBusy(false);
  convButton_->setText(tr("変換(&C)"));
  cancelShortcut_->setEnabled(false);
  items_.at("ConvMItem")->setEnabled(!session_.files.Inputs().empty());
  LockCommands(false);
  ShowRunStatus(statusText_);
  if (FileListView* list = FocusedList()) ListFocused(*list);
}

// Painted at once: a long file keeps the window busy meanwhile.
void MainWindow::ShowRunStatus(const QString& text) {
  statusLine_->showMessage(text);
  if (!TimeToShow()) return;
  ShowChangedRows();
  statusLine_->repaint();
}

// The items keep the state they had before the run.
void MainWindow::LockCommands(bool locked) {
  if (locked) {
    lockedDuringRun_.clear();
    for (const char* name : kLockedDuringRun) {
      QAction* item = items_.at(name);
      lockedDuringRun_.emplace_back(item, item->isEnabled());
      item->setEnabled(false);
    }
  } else {
    for (const auto& [item, enabled] : lockedDuringRun_)
      item->setEnabled(enabled);
    lockedDuringRun_.clear();
  }
  for (ToolbarButton* button : toolbarButtons_)
    button->SetMouseLocked(locked);
  hintsOn_ = !locked;
  setContextMenuPolicy(locked ? Qt::NoContextMenu : Qt::CustomContextMenu);
}

void MainWindow::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  dropTarget_->SetAccepting(!busy);
  ShowChangedRows();
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void MainWindow::ProcessPendingEvents() {
  // Between small files the window looks for events often enough to feel at once, not
  // after every one of thousands.
  if (looked_.isValid() && looked_.elapsed() < kLookEveryMilliseconds) return;
  looked_.start();
  QCoreApplication::processEvents();
}

void MainWindow::CloseMainWindow() {
  close();
}

void MainWindow::SetOverwriteMode() {
  SetOverwriteModeFrom(nullptr);
}

void MainWindow::ShowOutputList() {
  items_.at("OverwriteMItem")->setChecked(false);
  items_.at("OutputToFileMItem")->setChecked(true);
  overwriteButton_->setChecked(false);
  outputToFileButton_->setChecked(true);
  outputModel_->EntriesReset();
  outputListBox_->show();
  convArrow_->show();
  LayoutControls();
  if (FocusedList() == outputListBox_) CurrentEntryChanged(*outputListBox_, 0);
}

app::SettingsWindow::WindowState MainWindow::State() const {
  if (isMinimized()) return WindowState::Minimized;
  return isMaximized() ? WindowState::Maximized : WindowState::Normal;
}

// A place is the frame's, as move() takes it, and a size the inside's, as resize() takes
// it: a window stored and put back stays where it was, whatever frame the desktop draws.
app::Bounds MainWindow::CurrentBounds() const {
  return BoundsOf(QRect(pos(), size()));
}

app::Bounds MainWindow::NormalBounds() const {
  return BoundsOf(normalPlace_.isValid() ? normalPlace_ : QRect(pos(), size()));
}

void MainWindow::RememberNormalPlace() {
  if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
    normalPlace_ = QRect(pos(), size());
}

// A place that was never chosen is left to the desktop: the window moves to a stored place,
// 0,0 included, and otherwise only to a place that differs from its own.
void MainWindow::SetNormalBounds(const app::Bounds& bounds, bool placeStored) {
  resize(bounds.width, bounds.height);
  if (placeStored || bounds.left != x() || bounds.top != y()) move(bounds.left, bounds.top);
  normalPlace_ = QRect(pos(), size());
}

void MainWindow::SetBounds(const app::Bounds& bounds) {
  SetNormalBounds(bounds, false);
}

void MainWindow::Maximize() {
  setWindowState(windowState() | Qt::WindowMaximized);
}

std::optional<app::Rect> MainWindow::WorkArea() const {
  const QScreen* shown = screen();
  if (!shown) return std::nullopt;
  return RectOf(shown->availableGeometry());
}

app::Rect MainWindow::Screen() const {
  const QScreen* shown = screen();
  return shown ? RectOf(shown->geometry()) : app::Rect{0, 0, 1024, 768};
}

bool MainWindow::HasScreenFont(const std::string& face) const {
  return QFontDatabase::hasFamily(QString::fromStdString(face));
}

app::FontChoice MainWindow::DefaultListFont() const {
  const QFont font = QApplication::font();
  return {font.family().toStdString(), font.pointSize()};
}

}  // namespace mxt::gui
