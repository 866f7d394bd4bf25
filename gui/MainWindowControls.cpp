// The main window's controls, as the window is made.
#include <QPainter>
#include <QPixmap>

#include "app/MainLayout.h"
#include "fileconv/RunState.h"
#include "gui/ConversionArrow.h"
#include "gui/HelpContext.h"
#include "gui/MainWindow.h"
#include "gui/Pictures.h"

namespace mxt::gui {

namespace {

constexpr int kButtonTop = 5;
constexpr int kButtonSize = 25;

struct SpeedButtonPlace {
  const char* name;
  int left;
  const char* hint;
  ToolbarGlyph glyph;
};

constexpr SpeedButtonPlace kCodeButtons[] = {
    {"ShiftJISButton", 109, "Shift-JIS| 漢字コードを Shift-JIS に設定します。",
     ToolbarGlyph::ShiftJIS},
    {"EUCButton", 134, "EUC| 漢字コードを EUC に設定します。", ToolbarGlyph::EUC},
    {"JISButton", 159, "JIS| 漢字コードを JIS に設定します。", ToolbarGlyph::JIS},
};

constexpr SpeedButtonPlace kNewlineButtons[] = {
    {"CRLFButton", 199, "CR LF| 改行コードを Windows,DOS 形式 (CR LF) に設定します。",
     ToolbarGlyph::CRLF},
    {"LFButton", 224, "LF| 改行コードを UNIX 形式 (LF) に設定します。", ToolbarGlyph::LF},
    {"CRButton", 249, "CR| 改行コードを Mac 形式 (CR) に設定します。", ToolbarGlyph::CR},
};

}  // namespace

void MainWindow::MakeControls() {
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(client_);
  MakeSpeedBar();

  convListBox_ = MakeList(QStringLiteral("ConvListBox"), fileconv::ListId::Input);
  inputModel_ = static_cast<FileListModel*>(convListBox_->model());
  outputListBox_ = MakeList(QStringLiteral("OutputListBox"), fileconv::ListId::Output);
  outputModel_ = static_cast<FileListModel*>(outputListBox_->model());
  outputListBox_->setGeometry(4, 179, outputListBox_->width(), outputListBox_->RowHeight() + 4);
  outputListBox_->hide();

  convArrow_ = new ConversionArrow(client_);
  convArrow_->setGeometry(204, 160, 20, 10);
  convArrow_->hide();

  convButton_ = new QPushButton(QStringLiteral("変換(&C)"), client_);
  convButton_->setObjectName(QStringLiteral("ConvButton"));
  convButton_->setStatusTip(QStringLiteral(" コードの変換を開始します。"));
  convButton_->setAutoDefault(false);
  convButton_->setGeometry(176, 203, 75, 25);
  convButton_->setEnabled(false);
  AssignHelpContext(*convButton_);
  cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  cancelShortcut_->setEnabled(false);
  connect(cancelShortcut_, &QShortcut::activated, convButton_, &QPushButton::click);

  statusLine_ = new QStatusBar(client_);
  statusLine_->setObjectName(QStringLiteral("StatusLine"));
  statusLine_->setAccessibleName(QStringLiteral("StatusLine"));
  statusLine_->setGeometry(0, 232, 428, 22);

  setTabOrder(convButton_, convListBox_);
  setTabOrder(convListBox_, outputListBox_);
}

void MainWindow::MakeSpeedBar() {
  speedBar_ = new QFrame(client_);
  speedBar_->setObjectName(QStringLiteral("SpeedBar"));
  speedBar_->setGeometry(0, 0, 428, 35);
  speedBar_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  speedBarBevel_ = new QFrame(speedBar_);
  speedBarBevel_->setObjectName(QStringLiteral("SpeedBarBevel"));
  speedBarBevel_->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  speedBarBevel_->setGeometry(1, 1, 426, 2);
  speedBarBevel_->hide();

  selectButton_ = AddSpeedButton(new ToolbarButton(QStringLiteral("SelectButton"), speedBar_), 4,
                                 "ファイルを選択| コードを変換するファイルを選択します。",
                                 static_cast<int>(ToolbarGlyph::Select));
  overwriteButton_ = static_cast<StickyToolbarButton*>(AddSpeedButton(
      new StickyToolbarButton(QStringLiteral("OverwriteButton"), speedBar_), 44,
      "上書き| 元のファイルに上書きする設定にします。", static_cast<int>(ToolbarGlyph::Overwrite)));
  outputToFileButton_ = static_cast<OutputFileButton*>(
      AddSpeedButton(new OutputFileButton(QStringLiteral("OutputToFileButton"), speedBar_), 69,
                     "別ファイルに出力| 出力先のファイルを設定します。",
                     static_cast<int>(ToolbarGlyph::OutputToFile)));
  // Groups 1 and 2 hold one button each: a button that is down stays down when clicked.
  (new ToolbarButtonGroup(false, this))->Add(overwriteButton_);
  (new ToolbarButtonGroup(false, this))->Add(outputToFileButton_);

  auto* codes = new ToolbarButtonGroup(false, this);
  for (int i = 0; i < 3; ++i) {
    const SpeedButtonPlace& place = kCodeButtons[i];
    codeButtons_[i] = static_cast<StickyToolbarButton*>(
        AddSpeedButton(new StickyToolbarButton(QString::fromUtf8(place.name), speedBar_),
                       place.left, place.hint, static_cast<int>(place.glyph)));
    codes->Add(codeButtons_[i]);
  }
  auto* newlines = new ToolbarButtonGroup(true, this);
  for (int i = 0; i < 3; ++i) {
    const SpeedButtonPlace& place = kNewlineButtons[i];
    newlineButtons_[i] = AddSpeedButton(new ToolbarButton(QString::fromUtf8(place.name), speedBar_),
                                        place.left, place.hint, static_cast<int>(place.glyph));
    newlines->Add(newlineButtons_[i]);
  }
}

ToolbarButton* MainWindow::AddSpeedButton(ToolbarButton* button, int left, const char* hint,
                                          int glyph) {
  button->setGeometry(left, kButtonTop, kButtonSize, kButtonSize);
  button->SetHint(QString::fromUtf8(hint));
  button->SetGlyphs(ToolbarGlyphs(static_cast<ToolbarGlyph>(glyph)));
  speedButtons_.push_back(button);
  return button;
}

FileListView* MainWindow::MakeList(const QString& name, fileconv::ListId list) {
  auto* box = new FileListView(name, client_);
  // A border of two pixels, so that a list of n rows is n rows and four pixels high.
  box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  box->setLineWidth(2);
  box->setModel(new FileListModel(list, box));
  box->setGeometry(4, 39, 420, 4 * box->RowHeight() + 4);
  AssignHelpContext(*box);
  ConnectListEvents(*box);
  return box;
}

void MainWindow::ConnectListEvents(FileListView& list) {
  list.OnEnter = [this](FileListView& sender) { ListBoxEnter(sender); };
  list.OnExit = [this](FileListView& sender) { ListBoxExit(sender); };
  list.OnChange = [this](FileListView& sender, int index) { ListBoxChange(sender, index); };
  list.OnSmartDrawItem = [this](FileListView& sender, int index, QPainter& dest,
                                const QRect& itemRect,
                                std::uint8_t) { DrawEntry(sender, index, dest, itemRect); };
  // A drag out of the lists is refused during a run.
  list.OnQueryDragDrop = [](FileListView&, bool& allow) { allow = !fileconv::RunStatus.Busy; };
  list.OnOpen = [this](FileListView& sender, int index, bool conv) {
    RunCommand([&] { OpenEntry(sender, index, conv); });
  };
  list.OnFontChanged = [this](FileListView& sender) { ListFontChanged(sender); };
  list.OnCapture = [this](FileListView&) { hintsOn_ = false; };
  list.OnFileDrag = [this](FileListView& sender) {
    statusLine_->showMessage(QStringLiteral(" 他のアプリケーションに Drag & Drop できます。"));
    RunCommand([&] { DragFilesOut(sender); });
  };
  list.OnEndCapture = [this](FileListView&) {
    statusLine_->showMessage(QString::fromStdString(fileconv::RunStatus.StatusText));
    hintsOn_ = true;
  };
}

}  // namespace mxt::gui
