// What the layers below ask of the main window: the run's window (RunHost) and the
// window's geometry and fonts for the settings (SettingsWindow).
#include <QApplication>
#include <QFontDatabase>
#include <QScreen>

#include "fileconv/FileList.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "gui/ConversionArrow.h"
#include "gui/Geometry.h"
#include "gui/MainWindow.h"
#include "gui/SystemText.h"

namespace mxt::gui {

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

void MainWindow::RedrawLine(fileconv::ListId list, std::size_t index) {
  changedRows_.emplace_back(list, static_cast<int>(index));
  if (TimeToShow()) ShowChangedRows();
}

void MainWindow::ShowChangedRows() {
  for (const auto& [list, row] : changedRows_)
    ModelOf(list).EntryChanged(row);
  changedRows_.clear();
}

void MainWindow::RepaintList(fileconv::ListId list) {
  FileListModel& model = ModelOf(list);
  for (int row = 0; row < model.rowCount(); ++row)
    model.EntryChanged(row);
}

void MainWindow::SetStatusText(std::string_view text) {
  statusLine_->showMessage(FromSystem(text));
  if (TimeToShow()) {
    ShowChangedRows();
    statusLine_->repaint();
  }
}

// The items keep the state they had before the run; those a run does not touch stay as
// they are.
void MainWindow::SetCommandsLocked(std::span<const std::string_view> menuItems, bool locked) {
  for (const auto& [name, item] : items_) {
    const std::string caption = item->text().toStdString();
    if (std::find(menuItems.begin(), menuItems.end(), caption) == menuItems.end()) continue;
    if (locked) {
      item->setProperty("enabledBeforeRun", item->isEnabled());
      item->setEnabled(false);
    } else {
      item->setEnabled(item->property("enabledBeforeRun").toBool());
    }
  }
  for (ToolbarButton* button : speedButtons_)
    button->SetMouseLocked(locked);
  hintsOn_ = !locked;
  setContextMenuPolicy(locked ? Qt::NoContextMenu : Qt::CustomContextMenu);
}

void MainWindow::SetConvertButton(std::string_view caption, bool cancels) {
  convButton_->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  cancelShortcut_->setEnabled(cancels);
  items_.at("ConvMItem")->setEnabled(!cancels && !fileconv::Files.Inputs.empty());
}

void MainWindow::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  setAcceptDrops(!busy);
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

void MainWindow::ProcessPaintEvents() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
  if (outputListBox_->hasFocus()) ListBoxChange(*outputListBox_, 0);
}

void MainWindow::RefreshFocusedEntry() {
  if (FileListView* list = FocusedList()) ListBoxEnter(*list);
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

// A place that was never chosen is left to the desktop: the window moves only when the
// settings put it elsewhere.
void MainWindow::SetNormalBounds(const app::Bounds& bounds) {
  resize(bounds.width, bounds.height);
  if (bounds.left != x() || bounds.top != y()) move(bounds.left, bounds.top);
  normalPlace_ = QRect(pos(), size());
}

void MainWindow::SetBounds(const app::Bounds& bounds) {
  SetNormalBounds(bounds);
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
