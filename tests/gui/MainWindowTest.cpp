#include "gui/MainWindow.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <climits>
#include <cstdlib>

#include "app/StartupLock.h"
#include "fileconv/FileList.h"
#include "platform/LockFile.h"
#include "platform/SystemString.h"
#include "tests/gui/MainWindowFixture.h"
#include "tests/support/Bytes.h"

namespace mxt::gui::testing {
namespace {

using ::mxt::testing::Bytes;
using ::mxt::testing::Notation;
using ::mxt::testing::ReadFile;
using ::mxt::testing::WriteFile;

const std::string kEUC = Bytes("'A' B0 A1 0A");

using MainWindowTest = MainWindowFixture;

int Bottom(const QWidget& widget) {
  return widget.y() + widget.height();
}

TEST_F(MainWindowTest, TheFixedLayoutFollowsTheClientSize) {
  for (const std::uint8_t style : {2, 1}) {
    startSettings_.GUIStyle = style;
    Open({}, false);
    window_->resize(100, 100);
    QCoreApplication::processEvents();
    EXPECT_GE(window_->frameGeometry().width(), 288) << "the minimum tracking size";
    EXPECT_GE(window_->frameGeometry().height(), 220);
    window_->setMinimumSize(0, 0);  // a menu bar in two rows comes this low
    ResizeClient(428, 254);
    const QStatusBar& status = StatusLine();
    EXPECT_TRUE(status.isVisible());
    EXPECT_EQ(status.height(), style == 2 ? 22 : 18);
    EXPECT_EQ(ConvButton().geometry(), QRect(176, 254 - status.height() - 4 - 25, 75, 25));
    ResizeClient(400, 140);
    EXPECT_FALSE(status.isVisible());
    EXPECT_EQ(ConvButton().geometry(), QRect(162, style == 2 ? 97 : 101, 75, 25)) << int(style);
    ResizeClient(401, 300);
    const FileListView& list = List("ConvListBox");
    EXPECT_EQ(list.x(), 4);
    EXPECT_EQ(list.width(), 401 - 8);
    EXPECT_EQ((list.height() - 4) % list.RowHeight(), 0) << "whole rows";
    EXPECT_LE(Bottom(list), ConvButton().y() - 4);
    window_.reset();
  }
}

TEST_F(MainWindowTest, TheOutputListAndTheArrowShareTheRoomAboveTheButton) {
  MakeFiles({"a.txt"});
  Open({"/O", Path("out.txt"), Path("a.txt")});
  ResizeClient(500, 300);
  const FileListView& input = List("ConvListBox");
  const FileListView& output = List("OutputListBox");
  const QWidget& arrow = Control("ConvArrow");
  ASSERT_TRUE(output.isVisible());
  ASSERT_TRUE(arrow.isVisible());
  EXPECT_EQ(output.geometry(),
            QRect(4, ConvButton().y() - output.RowHeight() - 8, 492, output.RowHeight() + 4));
  EXPECT_EQ(arrow.x(), (500 - arrow.width()) / 2);
  EXPECT_EQ(arrow.y(), (output.y() + Bottom(input) - arrow.height()) / 2);
  EXPECT_LT(Bottom(input), arrow.y());
  EXPECT_EQ(output.model()->rowCount(), 1);
}

TEST_F(MainWindowTest, AListFontOfItsOwnComputesTheLayout) {
  Open({}, false);
  window_->setMinimumSize(0, 0);
  QFont big = List("ConvListBox").font();
  big.setPointSize(big.pointSize() + 8);
  window_->ApplyListFont(big);
  const FileListView& list = List("ConvListBox");
  const int needed = list.RowHeight() + list.y() + 25 + StatusLine().height() + 12;
  ResizeClient(428, needed - 1);
  EXPECT_FALSE(StatusLine().isVisible());
  EXPECT_EQ(ConvButton().y(), needed - StatusLine().height() - 25 - 4);
  ResizeClient(428, needed + 40);
  EXPECT_TRUE(StatusLine().isVisible());
  EXPECT_EQ(Bottom(ConvButton()), StatusLine().y() - 4);
}

// Each step a toolbar button clicked or a speed menu item chosen, then the settings and
// which buttons are down; the run follows the code chosen last.
TEST_F(MainWindowTest, CodeAndNewlineButtonsKeepTheirGroupsAndTheSettingsForTheRun) {
  using engine::NewlineCode;
  MakeFiles({"a.txt"});
  Open({Path("a.txt")});
  const struct {
    const char* act;
    std::uint8_t code;
    NewlineCode newline;
  } steps[] = {
      {"EUCButton", engine::kOutputEUC, NewlineCode::DontCare},
      {"EUCButton", engine::kOutputEUC, NewlineCode::DontCare},  // down already: no change
      {"CRLFButton", engine::kOutputEUC, NewlineCode::CRLF},
      {"CRLFButton", engine::kOutputEUC, NewlineCode::DontCare},  // down: raised again
      {"JISNewline", engine::kOutputJIS, NewlineCode::LF},
      {"JISNonePItem", engine::kOutputJIS, NewlineCode::DontCare},
      {"UTF8Button", engine::kOutputUTF8, NewlineCode::DontCare},
      {"UTF8NewlinePItem", engine::kOutputUTF8, NewlineCode::LF},
      {"EUCNonePItem", engine::kOutputEUC, NewlineCode::DontCare},
      {"UTF8NonePItem", engine::kOutputUTF8, NewlineCode::DontCare},
  };
  const std::pair<const char*, std::uint8_t> codes[] = {{"ShiftJISButton", engine::kOutputShiftJIS},
                                                        {"EUCButton", engine::kOutputEUC},
                                                        {"JISButton", engine::kOutputJIS},
                                                        {"UTF8Button", engine::kOutputUTF8}};
  const std::pair<const char*, NewlineCode> newlines[] = {{"CRLFButton", NewlineCode::CRLF},
                                                          {"LFButton", NewlineCode::LF},
                                                          {"CRButton", NewlineCode::CR}};
  for (int step = 0; const auto& s : steps) {
    SCOPED_TRACE(std::to_string(step++) + " " + s.act);
    if (std::string_view(s.act).ends_with("Button")) {
      QTest::mouseClick(&Button(s.act), Qt::LeftButton);
    } else {
      Item(s.act).trigger();
    }
    EXPECT_EQ(CurrentSettings().OutputKanjiCode, s.code);
    EXPECT_EQ(CurrentSettings().OutputNewlineCode, s.newline);
    for (const auto& [name, code] : codes)
      EXPECT_EQ(Button(name).isChecked(), code == s.code) << name;
    for (const auto& [name, newline] : newlines)
      EXPECT_EQ(Button(name).isChecked(), newline == s.newline) << name;
  }
  QTest::mouseClick(&ConvButton(), Qt::LeftButton);
  EXPECT_EQ(RowDescription(0), "Converted:\tShift-JIS to UTF-8");
  EXPECT_EQ(Files().Input(0).Bitmap, fileconv::FileImage::UTF8FileImage);
  EXPECT_EQ(Notation(ReadFile(Path("a.txt"))), "41 E4 BA 9C 0A");
}

// The run from the convert button: the window is locked while it goes on, and a second
// click on the button stops it after the file in hand.
TEST_F(MainWindowTest, TheConvertButtonRunsTheListAndStopsItBetweenFiles) {
  MakeFiles({"a.txt", "b.txt", "c.txt"});
  Open({"/E", Path("a.txt"), Path("b.txt"), Path("c.txt")});
  ASSERT_EQ(Files().Inputs().size(), 3u);
  EXPECT_TRUE(ConvButton().isEnabled());
  struct During {
    QString caption;
    bool selectEnabled = true;
    bool convItemEnabled = true;
    bool locked = false;
    QString status;
  } during;
  QTimer::singleShot(0, window_.get(), [&] {
    during = {ConvButton().text(), Item("SelectMItem").isEnabled(), Item("ConvMItem").isEnabled(),
              Button("SelectButton").MouseLocked(), StatusLine().currentMessage()};
    QTest::mouseClick(&ConvButton(), Qt::LeftButton);  // asks the run to stop
  });
  QTest::mouseClick(&ConvButton(), Qt::LeftButton);
  EXPECT_EQ(during.caption, QStringLiteral("中断(&B)"));
  EXPECT_FALSE(during.selectEnabled);
  EXPECT_FALSE(during.convItemEnabled);
  EXPECT_TRUE(during.locked);
  EXPECT_EQ(during.status, QString::fromStdString(" Converting " + Path("a.txt") + " (1/3)"));
  EXPECT_EQ(RowDescription(0), "Converted:\tShift-JIS to EUC");
  EXPECT_EQ(RowDescription(1), "");
  EXPECT_EQ(Notation(ReadFile(Path("a.txt"))), Notation(kEUC));
  EXPECT_EQ(ReadFile(Path("b.txt")), kShiftJIS);
  EXPECT_EQ(ConvButton().text(), QStringLiteral("変換(&C)"));
  EXPECT_TRUE(Item("SelectMItem").isEnabled());
  EXPECT_FALSE(Button("SelectButton").MouseLocked());
  // The rest follows with the next run, without the question.
  QTest::mouseClick(&ConvButton(), Qt::LeftButton);
  EXPECT_EQ(RowDescription(2), "Converted:\tShift-JIS to EUC");
  EXPECT_TRUE(messages_.empty());
}

// The normal place is kept through a maximized session: moved, maximized, stored, and put
// back where it was.
TEST_F(MainWindowTest, TheStoredPlaceIsTheNormalOneAlsoWhenMaximized) {
  WriteSettings("[MainWindow]\nPosX=40\nPosY=30\nWidth=400\nHeight=300\n");
  Open().move(60, 50);
  window_->showMaximized();
  EXPECT_TRUE(QTest::qWaitFor([&] { return window_->width() > 400; }, 2000));
  window_.reset();
  const std::string stored = ReadFile(Path("config/MXT/MXT.ini"));
  EXPECT_NE(stored.find("PosX=60\nPosY=50\nWidth=400\nHeight=300\nState=1\n"), std::string::npos)
      << stored;
  Open();
  EXPECT_TRUE(window_->isMaximized());
  window_->showNormal();
  EXPECT_TRUE(QTest::qWaitFor([&] { return window_->width() == 400; }, 2000));
  EXPECT_EQ(QRect(window_->pos(), window_->size()), QRect(60, 50, 400, 300));
}

// A window stored at the screen's corner goes back there; one never stored is left to the
// desktop to place.
TEST_F(MainWindowTest, AStoredPlaceAtZeroIsPutBackAndNoStoredPlaceIsLeftToTheDesktop) {
  WriteSettings("[MainWindow]\nPosX=0\nPosY=0\nWidth=400\nHeight=300\n");
  Open();
  EXPECT_TRUE(window_->testAttribute(Qt::WA_Moved));
  EXPECT_EQ(window_->pos(), QPoint(0, 0));
  window_.reset();
  WriteSettings("[MainWindow]\nWidth=400\nHeight=300\n");
  Open();
  EXPECT_FALSE(window_->testAttribute(Qt::WA_Moved));
}

// A store that could not be read keeps what it holds: the window says once that it will
// not save, and does not.
TEST_F(MainWindowTest, SettingsThatCouldNotBeLoadedAreNotSavedOver) {
  ASSERT_EQ(::mkdir(Path("config").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(Path("config/MXT").c_str(), 0700), 0);
  ASSERT_EQ(::mkfifo(Path("config/MXT/MXT.ini").c_str(), 0600), 0);
  Open();
  ASSERT_EQ(messages_.size(), 3u);
  EXPECT_EQ(messages_[0].text, "'PosX' の取得に失敗しました。");
  EXPECT_EQ(messages_[1].text, "レジストリ情報の読み込みに失敗しました。");
  EXPECT_EQ(messages_[2].text, "設定を読み込めなかったため、今回の設定は保存しません。");
  EXPECT_EQ(messages_[2].kind, fileconv::MessageKind::Information);
  // Made a file meanwhile, it is still not written over.
  ::unlink(Path("config/MXT/MXT.ini").c_str());
  WriteFile(Path("config/MXT/MXT.ini"), "[Options]\nViewerPath=mine\n");
  window_.reset();
  EXPECT_EQ(messages_.size(), 3u);
  EXPECT_EQ(ReadFile(Path("config/MXT/MXT.ini")), "[Options]\nViewerPath=mine\n");
}

TEST_F(MainWindowTest, TheFirstIdleMomentAddsTheFilesSetsTheOutputAndConvertsWhenAsked) {
  MakeFiles({"a.txt"});
  ASSERT_EQ(::mkdir(Path("last").c_str(), 0755), 0);
  WriteSettings("[MainWindow]\nLastDir=" + Path("last") + "\n");
  startupLock_.Acquire();
  Open({"/E", "/UE", "/O", Path("out.txt"), Path("a.txt")}, false);
  EXPECT_TRUE(Button("OutputToFileButton").MouseLocked());
  EXPECT_FALSE(
      platform::LockFile::TryLock(platform::kStartupLockName, platform::LockFile::Mode::Exclusive)
          .has_value());
  EXPECT_EQ(window_->OnFirstIdle(), app::FirstRun::Done);
  char after[PATH_MAX];
  ASSERT_NE(::getcwd(after, sizeof after), nullptr);
  EXPECT_EQ(std::string(after), Path("last"));
  EXPECT_FALSE(Button("OutputToFileButton").MouseLocked());
  EXPECT_TRUE(
      platform::LockFile::TryLock(platform::kStartupLockName, platform::LockFile::Mode::Exclusive)
          .has_value());
  EXPECT_EQ(RowDescription(0), "Converted:\tShift-JIS to EUC");
  EXPECT_EQ(Notation(ReadFile(Path("out.txt"))), Notation(kEUC));
}

TEST_F(MainWindowTest, EnterOpensTheEntryInTheViewerAndShiftEnterAConvertedCopy) {
  MakeFiles({"a.txt"});
  startSettings_.ViewerPath = "less";
  Open({"/E", "/UF", Path("a.txt")});
  CurrentSettings().ViewerPath = "viewer";
  CurrentSettings().ViewerCmdLineOption = "-n 'two words'";
  FileListView& list = List("ConvListBox");
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Return);
  QTest::keyClick(&list, Qt::Key_Return, Qt::ShiftModifier);
  ASSERT_EQ(started_.size(), 2u);
  EXPECT_EQ(started_[0], (std::vector<std::string>{"viewer", "-n", "two words", Path("a.txt")}));
  const std::string copy = started_[1].back();
  EXPECT_NE(copy, Path("a.txt"));
  EXPECT_EQ(Notation(ReadFile(copy)), Notation(kEUC));
  EXPECT_EQ(ReadFile(Path("a.txt")), kShiftJIS);
  window_.reset();
  EXPECT_EQ(::access(copy.c_str(), F_OK), -1) << "the converted copy outlived the window";
}

// The texts the status line is painted with, in order.
class PaintedTexts : public QObject {
 public:
  explicit PaintedTexts(QStatusBar& status) : status_(status) { status.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) texts.append(status_.currentMessage());
    return false;
  }
  QStringList texts;

 private:
  QStatusBar& status_;
};

// No paint gets through while a file converts: the name is painted before, or never in
// time. Lines of short files are shown now and then, a long file's always.
TEST_F(MainWindowTest, ALongFileShowsItsNameAtOnceHoweverLatelyTheLastWasShown) {
  Open({});
  PaintedTexts painted(StatusLine());
  fileconv::RunHost& host = *window_;
  host.RunStarted();
  // Until a short file's line is painted, which starts the wait for the next.
  QElapsedTimer waited;
  waited.start();
  const qsizetype before = painted.texts.size();
  while (painted.texts.size() == before && waited.elapsed() < 1000)
    host.FileStarted("short.txt", 1, 3, 1000);
  host.FileStarted("long.txt", 2, 3, std::int64_t{8} << 20);
  host.FileStarted("next.txt", 3, 3, 1000);
  ASSERT_GE(painted.texts.size(), 2);
  EXPECT_EQ(painted.texts[painted.texts.size() - 2].toStdString(), " Converting short.txt (1/3)");
  EXPECT_EQ(painted.texts.last().toStdString(), " Converting long.txt (2/3)");
  host.RunEnded();
}

TEST_F(MainWindowTest, AConvertedViewShowsHowFarItIsAndEscapeStopsIt) {
  std::string text;
  text.reserve(std::size_t{72} << 20);
  while (text.size() < (std::size_t{72} << 20))
    text += kShiftJIS;
  WriteFile(Path("a.txt"), text);
  startSettings_.ViewerPath = "viewer";
  Open({"/E", Path("a.txt")});
  CurrentSettings().TempDir = Path("temp/");
  ASSERT_EQ(::mkdir(Path("temp").c_str(), 0700), 0);
  FileListView& list = List("ConvListBox");
  list.setFocus();
  QString status;
  QString button;
  // Fires once the view lets events through, in the middle of the file.
  QTimer::singleShot(0, &list, [&] {
    status = StatusLine().currentMessage();
    button = ConvButton().text();
    QTest::keyClick(&list, Qt::Key_Escape);
  });
  QTest::keyClick(&list, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_TRUE(status.startsWith(QStringLiteral(" Converting ") +
                                QString::fromStdString(Path("a.txt")) + QStringLiteral(" (1/1)")))
      << status.toStdString();
  EXPECT_EQ(button, QStringLiteral("中断(&B)"));
  EXPECT_TRUE(started_.empty()) << "a stopped view opens no viewer";
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(::mxt::testing::FolderContent(Path("temp")).empty()) << "the partial copy stayed";
  EXPECT_EQ(ConvButton().text(), QStringLiteral("変換(&C)"));
  EXPECT_FALSE(Run().Busy());
}

TEST_F(MainWindowTest, NamesAreShortenedByWholeCharactersToTheColumn) {
  const std::string name = "日本語のとても長いファイル名のテキストファイルです.txt";
  MakeFiles({name});
  Open({Path(name)});
  const fileconv::FileEntry& entry = *Files().Inputs().at(0);
  const QString shown = QString::fromStdString(entry.DisplayName);
  ASSERT_TRUE(shown.endsWith(QStringLiteral("...")));
  EXPECT_EQ(platform::SystemStringToUtf8(entry.DisplayName), entry.DisplayName)
      << "cut inside a character";
  const QFontMetrics metrics(List("ConvListBox").font());
  EXPECT_LE(metrics.horizontalAdvance(shown), Files().Column().Width());
  const QString full = QString::fromStdString(name);
  const QString oneMore = full.left(shown.size() - 3 + 1) + QStringLiteral("...");
  EXPECT_GT(metrics.horizontalAdvance(oneMore), Files().Column().Width());
  EXPECT_EQ(Files().Column().StatusTabStops()[0],
            16 * metrics.horizontalAdvance(QLatin1Char('x')) + 8);
  EXPECT_EQ(Files().Column().StatusTabStops()[1] - Files().Column().StatusTabStops()[0],
            metrics.horizontalAdvance(QStringLiteral("Converted:")) + 4);
}

// Screen readers hear what the status line shows: the converting file, the entry, a hint.
TEST_F(MainWindowTest, TheStatusLineShowsAndIsNamedByTheEntryTheRunAndTheHints) {
  MakeFiles({"a.txt", "b.txt"});
  Open({"/E", Path("a.txt"), Path("b.txt")});
  QStatusBar& line = StatusLine();
  const auto name = [&] {
    return QAccessible::queryAccessibleInterface(&line)->text(QAccessible::Name).toStdString();
  };
  QList<std::string> during;
  QObject::connect(&line, &QStatusBar::messageChanged, [&] { during.push_back(name()); });
  FileListView& list = List("ConvListBox");
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(line.currentMessage(), QString::fromStdString(" " + Path("b.txt")));
  EXPECT_EQ(name(), Path("b.txt"));
  QStatusTipEvent hint(QStringLiteral(" ファイルの選択をクリアします。"));
  QApplication::sendEvent(window_.get(), &hint);
  EXPECT_EQ(line.currentMessage(), QStringLiteral(" ファイルの選択をクリアします。"));
  EXPECT_EQ(name(), "ファイルの選択をクリアします。");
  QStatusTipEvent none{QString()};
  QApplication::sendEvent(window_.get(), &none);
  EXPECT_EQ(line.currentMessage(), QString::fromStdString(" " + Path("b.txt")));
  QTest::mouseClick(&ConvButton(), Qt::LeftButton);
  EXPECT_TRUE(during.contains("Converting " + Path("a.txt") + " (1/2)"));
}

// The list has the window's focus from the start, before the window is active (as it is not
// under a message box either): the status line follows its entries all the same.
TEST_F(MainWindowTest, TheStatusLineFollowsTheFocusedListAlsoWhileTheWindowIsNotActive) {
  MakeFiles({"a.txt"});
  Open({"/E", Path("a.txt")}, false, false);
  ASSERT_FALSE(window_->isActiveWindow());
  window_->OnFirstIdle();
  EXPECT_EQ(StatusLine().currentMessage(), QString::fromStdString(" " + Path("a.txt")));
  Item("ClearMItem").trigger();
  EXPECT_EQ(StatusLine().currentMessage(), QString());
}

// A line break in a name shows in the row and on the status line as "?".
TEST_F(MainWindowTest, AControlCharacterInAPathShowsAsAQuestionMark) {
  MakeFiles({"nl\nname.txt"});
  Open({"/E", Path("nl\nname.txt")}, false, false);
  window_->OnFirstIdle();
  EXPECT_EQ(StatusLine().currentMessage(), QString::fromStdString(" " + Path("nl?name.txt")));
  const QAbstractItemModel& rows = *List("ConvListBox").model();
  EXPECT_EQ(rows.data(rows.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("nl?name.txt"));
  // And while it converts, and in a note about it.
  window_->FileStarted(Path("nl\nname.txt"), 1, 1, 0);
  EXPECT_TRUE(StatusLine().currentMessage().contains(QStringLiteral("nl?name.txt")));
  window_->FileNote(Path("nl\nname.txt") + ": line 1");
  EXPECT_EQ(StatusLine().currentMessage(),
            QString::fromStdString(" " + Path("nl?name.txt: line 1")));
}

TEST_F(MainWindowTest, EveryControlAndItemHasItsNameAndAnAccessibleName) {
  Open();
  for (const char* name :
       {"SpeedBar", "SelectButton", "OverwriteButton", "OutputToFileButton", "ShiftJISButton",
        "EUCButton", "JISButton", "UTF8Button", "CRLFButton", "LFButton", "CRButton", "ConvListBox",
        "OutputListBox", "ConvArrow", "ConvButton", "StatusLine"}) {
    const QWidget* control = window_->findChild<QWidget*>(QString::fromUtf8(name));
    ASSERT_NE(control, nullptr) << name;
    if (std::string(name) == "SpeedBar") continue;
    // What a screen reader is told: words, neither the code's name nor a caption's "&".
    const QString told = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control))
                             ->text(QAccessible::Name);
    EXPECT_FALSE(told.isEmpty()) << name;
    EXPECT_NE(told, QString::fromUtf8(name));
    EXPECT_FALSE(told.contains(QLatin1Char('&'))) << name;
  }
  for (const char* name :
       {"DummyMItem",           "SelectMItem",     "ClearMItem",       "OverwriteMItem",
        "OutputToFileMItem",    "ConvMItem",       "ExitMItem",        "ViewMItem",
        "ConvViewMItem",        "FontMItem",       "OutputCodeMItem",  "InputCodeMItem",
        "FileOpeMItem",         "ViewerMItem",     "InterfaceMItem",   "DefaultMItem",
        "SearchKeywordMItem",   "AboutMItem",      "DummyPItem",       "SelectPItem",
        "ShiftJISNewlinePItem", "EUCNewlinePItem", "JISNewline",       "ShiftJISNonePItem",
        "EUCNonePItem",         "JISNonePItem",    "UTF8NewlinePItem", "UTF8NonePItem"}) {
    const QAction& item = Item(name);
    const bool dummy = std::string(name).rfind("Dummy", 0) == 0;
    EXPECT_EQ(item.isVisible(), !dummy) << name;
    if (!dummy) {
      EXPECT_FALSE(item.text().isEmpty()) << name;
    }
  }
  EXPECT_EQ(Button("EUCButton").accessibleName(), QStringLiteral("EUC"));
  EXPECT_EQ(Button("UTF8Button").accessibleName(), QStringLiteral("UTF-8"));
  EXPECT_EQ(Button("EUCButton").toolTip(), QStringLiteral("EUC"));
}

}  // namespace
}  // namespace mxt::gui::testing
