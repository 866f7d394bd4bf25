// Where the main window's controls stand, by its style and its list font.
#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>

#include "app/MainLayout.h"
#include "gui/ConversionArrow.h"
#include "gui/MainWindow.h"
#include "gui/SystemText.h"

namespace mxt::gui {

namespace {

QRect RectOf(const app::Box& box) {
  return {box.left, box.top, box.width, box.height};
}

}  // namespace

bool MainWindow::IsCustomLayout(const QFont& font) const {
  const QFont standard = QApplication::font();
  return !(font.family() == standard.family() && font.pointSize() == standard.pointSize());
}

void MainWindow::ApplyStyle() {
  const bool newShell = session_.settings.GUIStyle != 1;
  toolbar_->setFrameStyle(newShell ? QFrame::NoFrame : QFrame::Panel | QFrame::Raised);
  toolbar_->setFixedHeight(newShell ? 31 : 35);
  toolbarBevel_->setVisible(newShell);
  for (ToolbarButton* button : toolbarButtons_)
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
  QAction* contents = AddItem(*help, "ContentsMItem", tr("目次(&C)"),
                              tr("| ヘルプの目次を開きます。"), [this] { help_.ShowContents(); });
  help->insertAction(search, contents);  // the first item
  search->setText(tr("キーワードで検索(&S)..."));
  search->setStatusTip(tr(" キーワードでヘルプを検索します。"));
}

void MainWindow::ApplyStoredListFont() {
  fileconv::Settings& settings = session_.settings;
  if (settings.FontSize != 0 || !settings.FontName.empty()) {
    QFont font = convListBox_->font();
    if (!settings.FontName.empty()) font.setFamily(QString::fromStdString(settings.FontName));
    if (settings.FontSize != 0) font.setPointSize(settings.FontSize);
    ApplyListFont(font);
  }
  // The face as asked for, not as resolved: the default font must read as the default.
  const QFont effective = convListBox_->font();
  settings.FontName = effective.family().toStdString();
  settings.FontSize = effective.pointSize();
}

// The output list first: the names are measured anew when the input list's font changes.
void MainWindow::ApplyListFont(const QFont& font) {
  outputListBox_->setFont(font);
  convListBox_->setFont(font);
  customLayout_ = IsCustomLayout(font);
  LayoutControls();
  RepaintLists();
}

void MainWindow::PlaceStatusLine(bool visible) {
  statusLine_->setGeometry(0, client_->height() - statusLine_->height(), client_->width(),
                           statusLine_->height());
  statusLine_->setVisible(visible);
}

void MainWindow::LayoutControls() {
  if (!convListBox_ || !outputListBox_ || isMinimized()) return;
  toolbar_->resize(client_->width(), toolbar_->height());
  toolbarBevel_->resize(client_->width() - 2, toolbarBevel_->height());
  app::LayoutInput in;
  in.clientWidth = client_->width();
  in.clientHeight = client_->height();
  in.newShellStyle = session_.settings.GUIStyle != 1;
  in.customLayout = customLayout_;
  in.outputShown = session_.settings.OutputToFile;
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
