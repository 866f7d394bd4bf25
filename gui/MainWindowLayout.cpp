// Where the main window's controls stand, by its style and its list font.
#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>

#include "app/MainLayout.h"
#include "fileconv/FileList.h"
#include "fileconv/SettingsRecord.h"
#include "gui/ConversionArrow.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/SystemText.h"

namespace mxt::gui {

namespace {

using fileconv::Settings;

QRect RectOf(const app::Box& box) {
  return {box.left, box.top, box.width, box.height};
}

}  // namespace

bool MainWindow::IsCustomLayout(const QFont& font) const {
  const QFont standard = QApplication::font();
  return !(font.family() == standard.family() && font.pointSize() == standard.pointSize());
}

void MainWindow::ApplyStyle() {
  const bool newShell = Settings.GUIStyle != 1;
  speedBar_->setFrameStyle(newShell ? QFrame::NoFrame : QFrame::Panel | QFrame::Raised);
  speedBar_->setFixedHeight(newShell ? 31 : 35);
  speedBarBevel_->setVisible(newShell);
  for (ToolbarButton* button : speedButtons_)
    button->move(button->x(), newShell ? 6 : 5);
  statusLine_->setFixedHeight(newShell ? 22 : 18);
  if (newShell) {
    // A dot rather than a tick: the two modes exclude each other.
    auto* modes = new QActionGroup(this);
    modes->addAction(items_.at("OverwriteMItem"));
    modes->addAction(items_.at("OutputToFileMItem"));
    return;
  }
  QMenu* help = menuBar()->findChild<QMenu*>(QStringLiteral("HelpMenu"));
  QAction* search = items_.at("SearchKeywordMItem");
  QAction* contents = AddItem(*help, "ContentsMItem", "目次(&C)", "| ヘルプの目次を開きます。",
                              [] { ShowHelpContents(); });
  help->insertAction(search, contents);  // the first item
  search->setText(QStringLiteral("キーワードで検索(&S)..."));
  search->setStatusTip(QStringLiteral(" キーワードでヘルプを検索します。"));
}

void MainWindow::ApplyStoredListFont() {
  if (Settings.FontSize != 0 || !Settings.FontName.empty()) {
    QFont font = convListBox_->font();
    if (!Settings.FontName.empty()) font.setFamily(QString::fromStdString(Settings.FontName));
    if (Settings.FontSize != 0) font.setPointSize(Settings.FontSize);
    ApplyListFont(font);
  }
  // The face as asked for, not as resolved: the default font must read as the default.
  const QFont effective = convListBox_->font();
  Settings.FontName = effective.family().toStdString();
  Settings.FontSize = effective.pointSize();
}

void MainWindow::ApplyListFont(const QFont& font) {
  convListBox_->setFont(font);
  outputListBox_->setFont(font);
  customLayout_ = IsCustomLayout(font);
  LayoutControls();
  RepaintLists();
  if (Settings.DontShortenFileName) fileconv::UpdateTabStops();
}

void MainWindow::PlaceStatusLine(bool visible) {
  statusLine_->setGeometry(0, client_->height() - statusLine_->height(), client_->width(),
                           statusLine_->height());
  statusLine_->setVisible(visible);
}

void MainWindow::LayoutControls() {
  if (!convListBox_ || !outputListBox_ || isMinimized()) return;
  speedBar_->resize(client_->width(), speedBar_->height());
  speedBarBevel_->resize(client_->width() - 2, speedBarBevel_->height());
  app::LayoutInput in;
  in.clientWidth = client_->width();
  in.clientHeight = client_->height();
  in.newShellStyle = Settings.GUIStyle != 1;
  in.customLayout = customLayout_;
  in.outputShown = Settings.OutputToFile;
  in.inputListLeft = convListBox_->x();
  in.inputListTop = convListBox_->y();
  in.inputItemHeight = convListBox_->RowHeight();
  in.outputListLeft = outputListBox_->x();
  in.outputItemHeight = outputListBox_->RowHeight();
  in.buttonWidth = convButton_->width();
  in.buttonHeight = convButton_->height();
  in.statusHeight = statusLine_->height();
  in.arrowWidth = convArrow_->width();
  in.arrowHeight = convArrow_->height();
  const app::LayoutResult out = app::ComputeLayout(in);
  PlaceStatusLine(out.statusVisible);
  convButton_->setGeometry(RectOf(out.convButton));
  convListBox_->setGeometry(RectOf(out.inputList));
  if (!in.outputShown) return;
  outputListBox_->setGeometry(RectOf(out.outputList));
  convArrow_->setGeometry(RectOf(out.arrow));
}

}  // namespace mxt::gui
