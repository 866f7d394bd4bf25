// The main window's menus, context menu and toolbar commands.
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QMenuBar>

#include "app/StoredSettings.h"
#include "fileconv/TrueCase.h"
#include "gui/ConversionArrow.h"
#include "gui/HelpContext.h"
#include "gui/MainWindow.h"
#include "gui/SystemText.h"

namespace mxt::gui {

namespace {

// "short|long": the status line shows the long part; a hint without "|" shows whole.
QString StatusPart(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.mid(bar + 1);
}

QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& caption) {
  QMenu* menu = bar.addMenu(caption);
  menu->setObjectName(QString::fromUtf8(name));
  menu->menuAction()->setObjectName(QString::fromUtf8(name));
  AssignHelpContext(*menu);
  AssignHelpContext(*menu->menuAction());
  return menu;
}

// The invisible first item every menu of the window begins with.
void AddDummy(QMenu& menu, const char* name) {
  QAction* dummy = menu.addAction(QString());
  dummy->setObjectName(QString::fromUtf8(name));
  dummy->setVisible(false);
}

void AddSeparator(QMenu& menu) {
  menu.addSeparator()->setStatusTip(QStringLiteral(" "));
}

// The context menu has no menu bar to pass the hints of its items on to the window.
class HintForwarder final : public QObject {
 public:
  HintForwarder(QWidget& window, QMenu& menu) : QObject(&menu), window_(window) {
    menu.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::StatusTip) return false;
    QCoreApplication::sendEvent(&window_, event);
    return true;
  }

 private:
  QWidget& window_;
};

// The items that open the options dialog, in the order of its pages.
struct OptionItem {
  const char* name;
  const char* caption;
  const char* hint;
};

constexpr OptionItem kOptionItems[] = {
    {"OutputCodeMItem", QT_TRANSLATE_NOOP("MainWindow", "出力コード(&O)..."),
     QT_TRANSLATE_NOOP("MainWindow", "| 出力側の漢字コード、改行コードなどを設定します。")},
    {"InputCodeMItem", QT_TRANSLATE_NOOP("MainWindow", "入力コード(&I)..."),
     QT_TRANSLATE_NOOP("MainWindow", "| 入力側の漢字コードを設定します。")},
    {"FileOpeMItem", QT_TRANSLATE_NOOP("MainWindow", "ファイル全般(&F)..."),
     QT_TRANSLATE_NOOP("MainWindow", "| ファイル操作全般に関する設定をします。")},
    {"ViewerMItem", QT_TRANSLATE_NOOP("MainWindow", "ビューア(&V)..."),
     QT_TRANSLATE_NOOP("MainWindow", "| ビューアのパス名、引数を設定します。")},
    {"InterfaceMItem", QT_TRANSLATE_NOOP("MainWindow", "ユーザインタフェース(&U)..."),
     QT_TRANSLATE_NOOP("MainWindow", "| ユーザとの対話に関する設定をします。")},
};

// Restoring the defaults as the window shows it.
class DefaultsHost final : public app::RestoreDefaultsHost {
 public:
  DefaultsHost(MainWindow& window, std::function<void()> clear)
      : window_(window), clear_(std::move(clear)) {}

  bool Confirm(std::string_view question) override {
    return window_.ShowMessage(fileconv::MessageKind::Confirmation, question,
                               fileconv::MessageButtons::OkCancel) == fileconv::MessageAnswer::Ok;
  }
  void ShowOutputCodes() override {
    const fileconv::Settings& settings = window_.Session().settings;
    window_.SetOutputKanjiCode(settings.OutputKanjiCode);
    window_.SetOutputNewlineCode(static_cast<int>(settings.OutputNewlineCode));
  }
  void SwitchToOverwrite() override { window_.SetOverwriteModeFrom(nullptr); }
  void ClearFileList() override { clear_(); }

 private:
  MainWindow& window_;
  std::function<void()> clear_;
};

}  // namespace

QAction* MainWindow::AddItem(QMenu& menu, const char* name, const QString& caption,
                             const QString& hint, std::function<void()> command) {
  QAction* item = menu.addAction(caption);
  item->setObjectName(QString::fromUtf8(name));
  item->setStatusTip(StatusPart(hint));
  connect(item, &QAction::triggered, this, [this, command] { RunCommand(command); });
  items_[name] = item;
  return item;
}

void MainWindow::MakeMenus() {
  QMenuBar& bar = *menuBar();
  bar.setObjectName(QStringLiteral("MainMenu"));

  QMenu* file = AddMenu(bar, "FileMenu", tr("ファイル(&F)"));
  AddDummy(*file, "DummyMItem");
  AddItem(*file, "SelectMItem", tr("ファイルを選択(&S)..."),
          tr("| コードを変換するファイルを選択します。"), [this] { SelectFiles(); });
  AddItem(*file, "ClearMItem", tr("クリア(&L)"), tr("| ファイルの選択をクリアします。"), [this] {
    ClearFileList();
  })->setEnabled(false);
  AddSeparator(*file);
  QAction* overwrite = AddItem(*file, "OverwriteMItem", tr("上書き(&V)"),
                               tr("| 元のファイルに上書きする設定にします。"),
                               [this] { SetOverwriteModeFrom(nullptr); });
  QAction* outputToFile =
      AddItem(*file, "OutputToFileMItem", tr("別ファイルに出力(&A)..."),
              tr("| 出力先のファイルを設定します。"), [this] { ChooseOutputFile(nullptr); });
  overwrite->setCheckable(true);
  outputToFile->setCheckable(true);
  overwrite->setChecked(true);
  AddSeparator(*file);
  AddItem(*file, "ConvMItem", tr("変換(&C)"), tr("| コードの変換を開始します。"), [this] {
    ConvertNow();
  })->setEnabled(false);
  AddSeparator(*file);
  AddItem(*file, "ExitMItem", tr("MXT の終了(&X)"), tr("| MXT を終了します。"),
          [this] { close(); });

  QMenu* view = AddMenu(bar, "ViewMenu", tr("表示(&V)"));
  connect(view, &QMenu::aboutToShow, this, [this] { ViewMenuOpening(); });
  AddItem(*view, "ViewMItem", tr("ビュー(&V)"), tr("| ビューアを起動します。"), [this] {
    if (FileListView* list = FocusedList()) OpenEntry(*list, list->Caret(), false);
  })->setEnabled(false);
  AddItem(*view, "ConvViewMItem", tr("変換ビュー(&C)"),
          tr("| 一時的に変換して、ビューアを起動します。"),
          [this] {
            if (FocusedList() == convListBox_)
              OpenEntry(*convListBox_, convListBox_->Caret(), true);
          })
      ->setEnabled(false);
  AddSeparator(*view);
  AddItem(*view, "FontMItem", tr("フォント(&F)..."), tr("| フォントを設定します。"),
          [this] { ChooseListFont(); });

  QMenu* option = AddMenu(bar, "OptionMenu", tr("オプション(&O)"));
  for (int page = 0; page < std::ssize(kOptionItems); ++page) {
    const OptionItem& item = kOptionItems[page];
    AddItem(*option, item.name, tr(item.caption), tr(item.hint),
            [this, page] { OpenOptionsDialog(page); });
  }
  AddSeparator(*option);
  AddItem(*option, "DefaultMItem", tr("デフォルト(&D)"),
          tr("| すべての設定をデフォルト値にします。"), [this] { RestoreDefaultSettings(); });

  QMenu* help = AddMenu(bar, "HelpMenu", tr("ヘルプ(&H)"));
  AddItem(*help, "SearchKeywordMItem", tr("トピックの検索(&H)"),
          tr("| ヘルプのトピックを検索します。"), [this] { SearchHelp(); });
  AddSeparator(*help);
  AddItem(*help, "AboutMItem", tr("MXT について(&A)..."), tr("| プログラムの情報を表示します。"),
          [this] { ShowAbout(); });

  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName(QStringLiteral("PopupSpeedMenu"));
  AssignHelpContext(*popupMenu_);
  new HintForwarder(*this, *popupMenu_);
  QMenu& popup = *popupMenu_;
  AddDummy(popup, "DummyPItem");
  AddItem(popup, "SelectPItem", tr("ファイルを選択..."),
          tr(" コードを変換するファイルを選択します。"), [this] { SelectFiles(); });
  AddSeparator(popup);
  AddItem(popup, "ShiftJISNewlinePItem", QStringLiteral("Shift-JIS, CR LF"),
          tr(" Shift-JIS, CR LF に設定します。"), [this] { SetCodeAndNewline(0, 1); });
  AddItem(popup, "EUCNewlinePItem", QStringLiteral("EUC, LF"), tr(" EUC, LF に設定します。"),
          [this] { SetCodeAndNewline(1, 2); });
  AddItem(popup, "JISNewline", QStringLiteral("JIS, LF"), tr(" JIS, LF に設定します。"),
          [this] { SetCodeAndNewline(2, 2); });
  AddItem(popup, "UTF8NewlinePItem", QStringLiteral("UTF-8, LF"), tr(" UTF-8, LF に設定します。"),
          [this] { SetCodeAndNewline(3, 2); });
  AddSeparator(popup);
  AddItem(popup, "ShiftJISNonePItem", QStringLiteral("Shift-JIS"), tr(" Shift-JIS に設定します。"),
          [this] { SetCodeAndNewline(0, 0); });
  AddItem(popup, "EUCNonePItem", QStringLiteral("EUC"), tr(" EUC に設定します。"),
          [this] { SetCodeAndNewline(1, 0); });
  AddItem(popup, "JISNonePItem", QStringLiteral("JIS"), tr(" JIS に設定します。"),
          [this] { SetCodeAndNewline(2, 0); });
  AddItem(popup, "UTF8NonePItem", QStringLiteral("UTF-8"), tr(" UTF-8 に設定します。"),
          [this] { SetCodeAndNewline(3, 0); });
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { popupMenu_->popup(mapToGlobal(at)); });
}

void MainWindow::ConnectCommands() {
  selectButton_->OnReleasedInside = [this](ToolbarButton&) {
    ShowHint(QString());
    RunCommand([this] { SelectFiles(); });
  };
  connect(overwriteButton_, &QToolButton::clicked, this,
          [this] { RunCommand([this] { SetOverwriteModeFrom(overwriteButton_); }); });
  outputToFileButton_->OnReleasedInside = [this](ToolbarButton&) {
    ShowHint(QString());
    RunCommand([this] { ChooseOutputFile(outputToFileButton_); });
  };
  for (int code = 0; code < std::ssize(codeButtons_); ++code) {
    connect(codeButtons_[code], &QToolButton::clicked, this,
            [this, code] { SetOutputKanjiCode(code); });
  }
  for (int i = 0; i < 3; ++i) {
    ToolbarButton& button = *newlineButtons_[i];
    connect(&button, &QToolButton::clicked, this,
            [this, &button, i] { NewlineButtonClicked(button, i + 1); });
  }
  connect(convButton_, &QPushButton::clicked, this,
          [this] { RunCommand([this] { session_.run.ConvertButtonClicked(); }); });
}

void MainWindow::ConvertNow() {
  session_.run.ConvertAll();
}

void MainWindow::SetCommandsEnabled(bool enabled) {
  if (!enabled && convButton_->hasFocus() && isActiveWindow()) convListBox_->setFocus();
  items_.at("ConvMItem")->setEnabled(enabled);
  items_.at("ClearMItem")->setEnabled(enabled);
  convButton_->setEnabled(enabled);
}

void MainWindow::ViewMenuOpening() {
  const bool running = session_.run.Busy();
  const FileListView* focused = FocusedList();
  bool view = false;
  bool convView = false;
  if (!running && focused == convListBox_) {
    view = convView = !session_.files.Inputs().empty();
  } else if (!running && focused == outputListBox_) {
    view = session_.files.Output() != nullptr;
  }
  items_.at("ViewMItem")->setEnabled(view);
  items_.at("ConvViewMItem")->setEnabled(convView);
}

void MainWindow::SetOutputKanjiCode(int code) {
  if (code < 0 || code >= std::ssize(codeButtons_)) return;
  if (!codeButtons_[code]->isChecked()) codeButtons_[code]->setChecked(true);
  session_.settings.OutputKanjiCode = static_cast<std::uint8_t>(code);
}

void MainWindow::SetOutputNewlineCode(int code) {
  for (int i = 0; i < 3; ++i)
    newlineButtons_[i]->setChecked(i + 1 == code);
  session_.settings.OutputNewlineCode =
      static_cast<engine::NewlineCode>(code >= 1 && code <= 3 ? code : 0);
}

void MainWindow::SetCodeAndNewline(int code, int newline) {
  SetOutputKanjiCode(code);
  SetOutputNewlineCode(newline);
}

void MainWindow::NewlineButtonClicked(ToolbarButton& button, int newline) {
  SetOutputNewlineCode(button.isChecked() ? newline : 0);
}

void MainWindow::SetOverwriteModeFrom(ToolbarButton* sender) {
  items_.at("OutputToFileMItem")->setChecked(false);
  items_.at("OverwriteMItem")->setChecked(true);
  session_.settings.OutputToFile = false;
  outputToFileButton_->setChecked(false);
  if (sender != overwriteButton_) overwriteButton_->setChecked(true);
  if (FocusedList() == outputListBox_) convListBox_->setFocus();
  convArrow_->hide();
  outputListBox_->hide();
  LayoutControls();
  session_.files.RemoveOutput();
  outputModel_->EntriesReset();
  RefitStatusColumns();
}

void MainWindow::ChooseOutputFile(ToolbarButton* sender) {
  QFileDialog dialog(this, tr("別ファイルに出力"));
  PrepareTextFileDialog(dialog, QStringLiteral("OutputToFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  const std::string path =
      chosen ? fileconv::ListedPath(PathToSystem(dialog.selectedFiles().front())) : std::string();
  if (chosen && session_.run.AcceptOutputFile(path)) {
    items_.at("OverwriteMItem")->setChecked(false);
    items_.at("OutputToFileMItem")->setChecked(true);
    overwriteButton_->setChecked(false);
    if (sender != outputToFileButton_) outputToFileButton_->setChecked(true);
    session_.run.UseOutputFile(path);
    RefitStatusColumns();
    return;
  }
  if (session_.settings.OutputToFile) {
    // A classic-style item unticks itself when chosen; the mode is still output-to-file.
    items_.at("OutputToFileMItem")->setChecked(true);
    return;
  }
  // Back up without a flicker: the button keeps its picture until the window is idle.
  outputToFileButton_->SetPaintSuppressed(true);
  QMetaObject::invokeMethod(
      this,
      [this] {
        outputToFileButton_->SetPaintSuppressed(false);
        SetOverwriteModeFrom(nullptr);
        outputToFileButton_->update();
      },
      Qt::QueuedConnection);
}

void MainWindow::RestoreDefaultSettings() {
  DefaultsHost host(*this, [this] { ClearFileList(); });
  app::RestoreDefaults(session_.settings, host);
}

}  // namespace mxt::gui
