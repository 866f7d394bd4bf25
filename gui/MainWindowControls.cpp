// The main window's controls, as the window is made.
#include <QPainter>
#include <QPixmap>

#include "app/MainLayout.h"
#include "gui/ConversionArrow.h"
#include "gui/HelpContext.h"
#include "gui/MainWindow.h"
#include "gui/Pictures.h"
#include "gui/ToolbarButtonGroup.h"

namespace mxt::gui {

namespace {

constexpr int kButtonTop = 5;
constexpr int kButtonSize = 25;

struct ToolbarButtonPlace {
  const char* name;
  int left;
  const char* hint;
  ToolbarGlyph glyph;
};

constexpr ToolbarButtonPlace kCodeButtons[] = {
    {"ShiftJISButton", 109,
     QT_TRANSLATE_NOOP("MainWindow", "Shift-JIS| 漢字コードを Shift-JIS に設定します。"),
     ToolbarGlyph::ShiftJIS},
    {"EUCButton", 134, QT_TRANSLATE_NOOP("MainWindow", "EUC| 漢字コードを EUC に設定します。"),
     ToolbarGlyph::EUC},
    {"JISButton", 159, QT_TRANSLATE_NOOP("MainWindow", "JIS| 漢字コードを JIS に設定します。"),
     ToolbarGlyph::JIS},
    {"UTF8Button", 184, QT_TRANSLATE_NOOP("MainWindow", "UTF-8| 文字コードを UTF-8 に設定します。"),
     ToolbarGlyph::UTF8},
};

constexpr ToolbarButtonPlace kNewlineButtons[] = {
    {"CRLFButton", 224,
     QT_TRANSLATE_NOOP("MainWindow", "CR LF| 改行コードを Windows,DOS 形式 (CR LF) に設定します。"),
     ToolbarGlyph::CRLF},
    {"LFButton", 249,
     QT_TRANSLATE_NOOP("MainWindow", "LF| 改行コードを UNIX 形式 (LF) に設定します。"),
     ToolbarGlyph::LF},
    {"CRButton", 274,
     QT_TRANSLATE_NOOP("MainWindow", "CR| 改行コードを Mac 形式 (CR) に設定します。"),
     ToolbarGlyph::CR},
};

}  // namespace

void MainWindow::MakeControls() {
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(client_);
  MakeToolbar();

  convListBox_ = MakeList(QStringLiteral("ConvListBox"), fileconv::ListId::Input);
  convListBox_->setAccessibleName(tr("ファイル一覧"));
  convListBox_->OnFontChanged = [this](FileListView&) { ListFontChanged(); };
  inputModel_ = static_cast<FileListModel*>(convListBox_->model());
  outputListBox_ = MakeList(QStringLiteral("OutputListBox"), fileconv::ListId::Output);
  outputListBox_->setAccessibleName(tr("出力ファイル"));
  outputModel_ = static_cast<FileListModel*>(outputListBox_->model());
  outputListBox_->setGeometry(4, 179, outputListBox_->width(), outputListBox_->RowHeight() + 4);
  outputListBox_->hide();

  convArrow_ = new ConversionArrow(client_);
  convArrow_->setGeometry(204, 160, 20, 10);
  convArrow_->hide();

  convButton_ = new QPushButton(tr("変換(&C)"), client_);
  convButton_->setObjectName(QStringLiteral("ConvButton"));
  convButton_->setStatusTip(tr(" コードの変換を開始します。"));
  convButton_->setAutoDefault(false);
  convButton_->setGeometry(176, 203, 75, 25);
  convButton_->setEnabled(false);
  AssignHelpContext(*convButton_);
  cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  cancelShortcut_->setEnabled(false);
  connect(cancelShortcut_, &QShortcut::activated, convButton_, &QPushButton::click);

  statusLine_ = new StatusLine(client_);
  statusLine_->setObjectName(QStringLiteral("StatusLine"));
  statusLine_->setGeometry(0, 232, 428, 22);

  setTabOrder(convButton_, convListBox_);
  setTabOrder(convListBox_, outputListBox_);
}

void MainWindow::MakeToolbar() {
  toolbar_ = new QFrame(client_);
  toolbar_->setObjectName(QStringLiteral("SpeedBar"));
  toolbar_->setGeometry(0, 0, 428, 35);
  toolbar_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  toolbarBevel_ = new QFrame(toolbar_);
  toolbarBevel_->setObjectName(QStringLiteral("SpeedBarBevel"));
  toolbarBevel_->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  toolbarBevel_->setGeometry(1, 1, 426, 2);
  toolbarBevel_->hide();

  selectButton_ = AddToolbarButton(new ToolbarButton(QStringLiteral("SelectButton"), toolbar_), 4,
                                   tr("ファイルを選択| コードを変換するファイルを選択します。"),
                                   static_cast<int>(ToolbarGlyph::Select));
  overwriteButton_ = static_cast<StickyToolbarButton*>(
      AddToolbarButton(new StickyToolbarButton(QStringLiteral("OverwriteButton"), toolbar_), 44,
                       tr("上書き| 元のファイルに上書きする設定にします。"),
                       static_cast<int>(ToolbarGlyph::Overwrite)));
  outputToFileButton_ = static_cast<OutputFileButton*>(
      AddToolbarButton(new OutputFileButton(QStringLiteral("OutputToFileButton"), toolbar_), 69,
                       tr("別ファイルに出力| 出力先のファイルを設定します。"),
                       static_cast<int>(ToolbarGlyph::OutputToFile)));
  // Groups 1 and 2 hold one button each: a button that is down stays down when clicked.
  (new ToolbarButtonGroup(false, this))->Add(overwriteButton_);
  (new ToolbarButtonGroup(false, this))->Add(outputToFileButton_);

  auto* codes = new ToolbarButtonGroup(false, this);
  for (int i = 0; i < std::ssize(kCodeButtons); ++i) {
    const ToolbarButtonPlace& place = kCodeButtons[i];
    codeButtons_[i] = static_cast<StickyToolbarButton*>(
        AddToolbarButton(new StickyToolbarButton(QString::fromUtf8(place.name), toolbar_),
                         place.left, tr(place.hint), static_cast<int>(place.glyph)));
    codes->Add(codeButtons_[i]);
  }
  auto* newlines = new ToolbarButtonGroup(true, this);
  for (int i = 0; i < 3; ++i) {
    const ToolbarButtonPlace& place = kNewlineButtons[i];
    newlineButtons_[i] =
        AddToolbarButton(new ToolbarButton(QString::fromUtf8(place.name), toolbar_), place.left,
                         tr(place.hint), static_cast<int>(place.glyph));
    newlines->Add(newlineButtons_[i]);
  }
}

ToolbarButton* MainWindow::AddToolbarButton(ToolbarButton* button, int left, const QString& hint,
                                            int glyph) {
  button->setGeometry(left, kButtonTop, kButtonSize, kButtonSize);
  button->SetHint(hint);
  button->SetGlyphs(ToolbarGlyphs(static_cast<ToolbarGlyph>(glyph)));
  toolbarButtons_.push_back(button);
  return button;
}

FileListView* MainWindow::MakeList(const QString& name, fileconv::ListId list) {
  auto* box = new FileListView(name, client_);
  // A border of two pixels, so that a list of n rows is n rows and four pixels high.
  box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  box->setLineWidth(2);
  box->setModel(new FileListModel(session_.files, list, box));
  box->setGeometry(4, 39, 420, 4 * box->RowHeight() + 4);
  AssignHelpContext(*box);
  ConnectListEvents(*box);
  return box;
}

void MainWindow::ConnectListEvents(FileListView& list) {
  list.OnFocusIn = [this](FileListView& sender) { ListFocused(sender); };
  list.OnFocusOut = [this](FileListView&) { ListUnfocused(); };
  list.OnCaretMoved = [this](FileListView& sender, int index) {
    CurrentEntryChanged(sender, index);
  };
  list.OnDrawRow = [this](FileListView& sender, int index, QPainter& dest, const QRect& itemRect,
                          std::uint8_t) { DrawEntry(sender, index, dest, itemRect); };
  // A drag out of the lists is refused during a run.
  list.OnMayDrag = [this](FileListView&, bool& allow) { allow = !session_.run.Busy(); };
  list.OnOpen = [this](FileListView& sender, int index, bool conv) {
    RunCommand([&] { OpenEntry(sender, index, conv); });
  };
  list.OnHoldStarted = [this](FileListView&) { hintsOn_ = false; };
  list.OnDragOut = [this](FileListView& sender) {
    statusLine_->showMessage(tr(" 他のアプリケーションに Drag & Drop できます。"));
    RunCommand([&] { DragFilesOut(sender); });
  };
  list.OnHoldEnded = [this](FileListView&) {
    statusLine_->showMessage(statusText_);
    hintsOn_ = true;
  };
}

}  // namespace mxt::gui
