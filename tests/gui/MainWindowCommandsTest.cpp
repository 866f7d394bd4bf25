#include <sys/stat.h>

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "app/Version.h"
#include "fileconv/FileList.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "platform/CurrentDirectory.h"
#include "tests/gui/MainWindowFixture.h"

namespace mxt::gui::testing {
namespace {

class MainWindowCommandsTest : public MainWindowFixture {
 protected:
  QMenu& Menu(const char* name) const {
    return *window_->findChild<QMenu*>(QString::fromUtf8(name));
  }
  HelpWindow::Pane HelpPane() const { return window_->OpenHelpWindow()->CurrentPane(); }
  QString HelpTopic() const { return window_->OpenHelpWindow()->CurrentTopic(); }
  static void SaveAs(QDialog& dialog, const std::string& path) {
    EXPECT_EQ(dialog.objectName(), QStringLiteral("OutputToFileDialog"));
    ChooseFile(dialog, path);
  }
  // The settings, both toolbar buttons, both menu items and the output list agree.
  void ExpectOutputToFile(bool toFile) const {
    EXPECT_EQ(CurrentSettings().OutputToFile, toFile);
    EXPECT_EQ(Button("OutputToFileButton").isChecked(), toFile);
    EXPECT_EQ(Button("OverwriteButton").isChecked(), !toFile);
    EXPECT_EQ(Item("OutputToFileMItem").isChecked(), toFile);
    EXPECT_EQ(Item("OverwriteMItem").isChecked(), !toFile);
    EXPECT_EQ(List("OutputListBox").isVisible(), toFile);
  }
};

TEST_F(MainWindowCommandsTest, TheAboutBoxNamesTheProgramAndClosesWithEnterOrEscape) {
  Open();
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    EXPECT_TRUE(WithDialog(
        [&] { Item("AboutMItem").trigger(); },
        [&](QDialog& about) {
          EXPECT_EQ(about.windowTitle(), QStringLiteral("MXT について"));
          const auto text = [&](const char* name) {
            return about.findChild<QLabel*>(QString::fromUtf8(name))->text();
          };
          EXPECT_EQ(text("TitleLabel"), QStringLiteral("MXT - Japanese Kanji Code Converter"));
          EXPECT_EQ(text("VersionLabel"),
                    QStringLiteral("Version ") + QLatin1String(app::kVersion));
          EXPECT_FALSE(text("CopyrightLabel").isEmpty());
          EXPECT_FALSE(text("ReservedLabel").isEmpty());
          const QLabel& image = *about.findChild<QLabel*>(QStringLiteral("AboutImage"));
          EXPECT_EQ(image.pixmap().size(), QSize(32, 32));
          for (const QLabel* label : about.findChildren<QLabel*>()) {
            EXPECT_LE(label->geometry().right(),
                      about.findChild<QWidget*>("Bevel")->geometry().right())
                << label->objectName().toStdString();
          }
          QTest::keyClick(&about, key);
          EXPECT_FALSE(about.isVisible());
          EXPECT_EQ(about.result(), QDialog::Accepted);
        }));
  }
}

TEST_F(MainWindowCommandsTest, DuringARunTheAboutBoxHasTheNormalCursorAndTheOptionsAreLocked) {
  MakeFiles({"a.txt", "b.txt"});
  Open({"/E", Path("a.txt"), Path("b.txt")});
  struct {
    bool optionsEnabled = true;
    bool aboutEnabled = false;
    Qt::CursorShape over = Qt::BlankCursor;
    Qt::CursorShape after = Qt::BlankCursor;
  } seen;
  QTimer::singleShot(0, window_.get(), [&] {
    seen.optionsEnabled = Item("OutputCodeMItem").isEnabled() || Item("DefaultMItem").isEnabled();
    seen.aboutEnabled = Item("AboutMItem").isEnabled();
    WithDialog([&] { Item("AboutMItem").trigger(); },
               [&](QDialog& about) {
                 seen.over = QApplication::overrideCursor()->shape();
                 about.accept();
               });
    seen.after = QApplication::overrideCursor()->shape();
  });
  QTest::mouseClick(&ConvButton(), Qt::LeftButton);
  EXPECT_FALSE(seen.optionsEnabled);
  EXPECT_TRUE(seen.aboutEnabled);
  EXPECT_EQ(seen.over, Qt::ArrowCursor);
  EXPECT_EQ(seen.after, Qt::WaitCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(RowDescription(1), "Converted:\tShift-JIS to EUC") << "the run went on";
  EXPECT_TRUE(Item("OutputCodeMItem").isEnabled());
}

TEST_F(MainWindowCommandsTest, EachHelpMenuStyleHasItsItemsAndOpensItsHelp) {
  for (const std::uint8_t style : {2, 1}) {
    startSettings_.GUIStyle = style;
    Open();
    QStringList items;
    for (const QAction* item : Menu("HelpMenu").actions()) {
      if (!item->isSeparator()) items << item->text();
    }
    Item("SearchKeywordMItem").trigger();
    if (style == 2) {
      EXPECT_EQ(items, QStringList({"トピックの検索(&H)", "MXT について(&A)..."}));
      EXPECT_EQ(HelpPane(), HelpWindow::Pane::Search);
    } else {
      EXPECT_EQ(items, QStringList({"目次(&C)", "キーワードで検索(&S)...", "MXT について(&A)..."}));
      EXPECT_EQ(Item("SearchKeywordMItem").statusTip(),
                QStringLiteral(" キーワードでヘルプを検索します。"));
      EXPECT_EQ(HelpPane(), HelpWindow::Pane::Keywords);
      Item("ContentsMItem").trigger();
      EXPECT_EQ(HelpPane(), HelpWindow::Pane::Contents);
      EXPECT_EQ(HelpTopic(), QStringLiteral("top"));
    }
    const QPointer<HelpWindow> help = window_->OpenHelpWindow();
    EXPECT_TRUE(help->isVisible());
    window_.reset();
    EXPECT_TRUE(help.isNull()) << "help closes with the program";
  }
}

TEST_F(MainWindowCommandsTest, F1OpensTheTopicOfTheControlMenuOrDialogItIsPressedIn) {
  MakeFiles({"a.txt"});
  Open({"/O", Path("out.txt"), Path("a.txt")});
  const std::pair<QWidget*, const char*> controls[] = {
      {&List("ConvListBox"), "2400"},
      {&List("OutputListBox"), "2400"},
      {&ConvButton(), "2300"},
      {window_.get(), "2100"},
  };
  for (const auto& [control, topic] : controls) {
    QTest::keyClick(control, Qt::Key_F1);
    EXPECT_EQ(HelpTopic(), QString::fromUtf8(topic)) << control->objectName().toStdString();
  }
  const std::pair<const char*, const char*> menus[] = {
      {"FileMenu", "2200"}, {"ViewMenu", "2210"},       {"OptionMenu", "2220"},
      {"HelpMenu", "2230"}, {"PopupSpeedMenu", "2250"},
  };
  for (const auto& [name, topic] : menus) {
    QMenu& menu = Menu(name);
    menu.popup(window_->mapToGlobal(QPoint(40, 40)));
    QTest::keyClick(&menu, Qt::Key_F1);
    EXPECT_EQ(HelpTopic(), QString::fromUtf8(topic)) << name;
    EXPECT_FALSE(menu.isVisible()) << name;
  }
  const std::pair<const char*, const char*> dialogs[] = {
      {"SelectMItem", "1110"}, {"FontMItem", "2210"}, {"ViewerMItem", "2530"}};
  for (const auto& [item, topic] : dialogs) {
    EXPECT_TRUE(WithDialog([&] { Item(item).trigger(); },
                           [&](QDialog& dialog) {
                             QWidget* focused =
                                 dialog.focusWidget() ? dialog.focusWidget() : &dialog;
                             QTest::keyClick(focused, Qt::Key_F1);
                             EXPECT_EQ(HelpTopic(), QString::fromUtf8(topic)) << item;
                             dialog.reject();
                           }));
  }
}

TEST_F(MainWindowCommandsTest, TheSelectButtonActsOnlyWhenReleasedOverIt) {
  Open();
  ToolbarButton& select = Button("SelectButton");
  const QPoint inside(5, 5);
  const auto pressAndRelease = [&](QPoint at) {
    return WithDialog(
        [&] {
          QTest::mousePress(&select, Qt::LeftButton, Qt::NoModifier, inside);
          QTest::mouseMove(&select, at);
          QTest::mouseRelease(&select, Qt::LeftButton, Qt::NoModifier, at);
        },
        [&](QDialog& dialog) {
          EXPECT_EQ(dialog.objectName(), QStringLiteral("SelectDialog"));
          EXPECT_NE(dialog.findChild<QPushButton*>(QStringLiteral("HelpButton")), nullptr);
          dialog.reject();
        });
  };
  EXPECT_FALSE(pressAndRelease(QPoint(select.width() + 2, 5)));
  EXPECT_FALSE(pressAndRelease(QPoint(5, select.height() + 1)));
  EXPECT_TRUE(pressAndRelease(QPoint(5, select.height()))) << "the row just below still counts";
}

TEST_F(MainWindowCommandsTest, AnInputFileOrOneInAMissingFolderIsRefusedAsOutput) {
  MakeFiles({"a.txt"});
  const std::pair<std::string, const char*> refusals[] = {
      {Path("a.txt"),
       "\rこのファイルは、すでに入力元として指定されているため、出力先には指定できません。"},
      {Path("missing/out.txt"), "\rこのファイルのフォルダがないため、出力先には指定できません。"},
      {Path("a.txt/out.txt"), "\rこのファイルのフォルダがないため、出力先には指定できません。"}};
  for (const auto& [output, refusal] : refusals) {
    Open({Path("a.txt")});
    auto& button = *window_->findChild<OutputFileButton*>(QStringLiteral("OutputToFileButton"));
    ASSERT_TRUE(WithDialog([&] { QTest::mouseClick(&button, Qt::LeftButton); },
                           [&](QDialog& dialog) { SaveAs(dialog, output); }));
    ASSERT_FALSE(messages_.empty());
    EXPECT_EQ(messages_.back().text, output + refusal);
    EXPECT_TRUE(button.PaintSuppressed()) << "the button keeps its picture until idle";
    QCoreApplication::processEvents();
    EXPECT_FALSE(button.PaintSuppressed());
    ExpectOutputToFile(false);
    window_.reset();
  }
}

// The folder a file was chosen in becomes the current one, which is stored at exit: the
// next start opens its dialogs there.
TEST_F(MainWindowCommandsTest, AChosenFileMakesItsFolderTheCurrentOne) {
  ASSERT_EQ(::mkdir(Path("sub").c_str(), 0755), 0);
  MakeFiles({"sub/a.txt"});
  Open();
  ASSERT_TRUE(WithDialog([&] { Item("SelectMItem").trigger(); },
                         [&](QDialog& dialog) { ChooseFile(dialog, Path("sub/a.txt")); }));
  EXPECT_EQ(platform::CurrentDirectory(), Path("sub"));
  window_.reset();
  EXPECT_NE(
      ::mxt::testing::ReadFile(Path("config/MXT/MXT.ini")).find("LastDir=" + Path("sub") + "\n"),
      std::string::npos);
}

// Choosing another output file and cancelling leaves the mode as it was, in either menu
// style: the classic one has no group to keep the item ticked.
TEST_F(MainWindowCommandsTest, ANewOutputFileShowsTheOutputListCancelKeepsItAndOverwriteHidesIt) {
  for (const std::uint8_t style : {1, 2}) {
    SCOPED_TRACE(int(style));
    startSettings_.GUIStyle = style;
    Open();
    ASSERT_TRUE(WithDialog([&] { Item("OutputToFileMItem").trigger(); },
                           [&](QDialog& dialog) { SaveAs(dialog, Path("new.txt")); }));
    ExpectOutputToFile(true);
    EXPECT_EQ(List("OutputListBox").model()->rowCount(), 1);
    ASSERT_TRUE(WithDialog([&] { Item("OutputToFileMItem").trigger(); },
                           [&](QDialog& dialog) { dialog.reject(); }));
    ExpectOutputToFile(true);
    EXPECT_FALSE(window_->findChild<OutputFileButton*>(QStringLiteral("OutputToFileButton"))
                     ->PaintSuppressed());
    QTest::mouseClick(&Button("OverwriteButton"), Qt::LeftButton);
    ExpectOutputToFile(false);
    EXPECT_EQ(Files().Output(), nullptr);
    window_.reset();
  }
}

TEST_F(MainWindowCommandsTest, ClosingDuringARunAsksAndStopsAfterTheFileInHand) {
  for (const auto answer : {fileconv::MessageAnswer::Cancel, fileconv::MessageAnswer::Ok}) {
    MakeFiles({"a.txt", "b.txt", "c.txt"});
    messages_.clear();
    answer_ = answer;
    Open({"/E", Path("a.txt"), Path("b.txt"), Path("c.txt")});
    Qt::CursorShape afterQuestion = Qt::BlankCursor;
    QTimer::singleShot(0, window_.get(), [&] {
      window_->close();
      afterQuestion = QApplication::overrideCursor()->shape();
    });
    QTest::mouseClick(&ConvButton(), Qt::LeftButton);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "MXT は変換中です。MXT を終了してもよろしいですか。");
    EXPECT_EQ(messages_[0].kind, fileconv::MessageKind::Confirmation);
    EXPECT_EQ(messages_[0].cursor, Qt::ArrowCursor);
    EXPECT_EQ(afterQuestion, Qt::WaitCursor);
    EXPECT_EQ(RowDescription(0), "Converted:\tShift-JIS to EUC");
    const bool closed = answer == fileconv::MessageAnswer::Ok;
    EXPECT_EQ(window_->isVisible(), !closed);
    EXPECT_EQ(RowDescription(2), closed ? "" : "Converted:\tShift-JIS to EUC");
    window_.reset();
  }
}

TEST_F(MainWindowCommandsTest, TheViewMenuOffersAConvertedViewOfTheInputListOnly) {
  MakeFiles({"a.txt"});
  Open({"/O", Path("out.txt"), Path("a.txt")});
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  const auto offered = [&](QWidget& focus) {
    focus.setFocus();
    QMenu& view = Menu("ViewMenu");
    view.popup(window_->mapToGlobal(QPoint(40, 40)));
    const std::pair enabled(Item("ViewMItem").isEnabled(), Item("ConvViewMItem").isEnabled());
    view.close();
    return enabled;
  };
  EXPECT_EQ(offered(List("ConvListBox")), std::pair(true, true));
  EXPECT_EQ(offered(List("OutputListBox")), std::pair(true, false));
  EXPECT_EQ(offered(ConvButton()), std::pair(false, false));
  Item("ClearMItem").trigger();
  EXPECT_EQ(offered(List("ConvListBox")), std::pair(false, false));
}

TEST_F(MainWindowCommandsTest, AHighlightedItemShowsItsLongHintOnTheStatusLine) {
  Open();
  const std::tuple<const char*, const char*, const char*> items[] = {
      {"FileMenu", "SelectMItem", " コードを変換するファイルを選択します。"},
      {"OptionMenu", "OutputCodeMItem", " 出力側の漢字コード、改行コードなどを設定します。"},
      {"HelpMenu", "AboutMItem", " プログラムの情報を表示します。"},
      {"PopupSpeedMenu", "JISNewline", " JIS, LF に設定します。"},
  };
  for (const auto& [menu, item, hint] : items) {
    if (std::string(menu) == "PopupSpeedMenu") {
      Menu(menu).popup(window_->mapToGlobal(QPoint(40, 40)));
    } else {
      window_->menuBar()->setActiveAction(Menu(menu).menuAction());
    }
    Menu(menu).setActiveAction(&Item(item));
    EXPECT_EQ(StatusLine().currentMessage(), QString::fromUtf8(hint)) << item;
    Menu(menu).close();
  }
}

TEST_F(MainWindowCommandsTest, TheFontCommandTakesTheFaceAndTheSizeOnly) {
  Open();
  const QFont before = List("ConvListBox").font();
  const QStringList families = QFontDatabase::families();
  const auto other = std::find_if(families.begin(), families.end(), [&](const QString& family) {
    return family != before.family() && !QFontDatabase::isPrivateFamily(family);
  });
  ASSERT_NE(other, families.end());
  QFont chosen(*other, 15);
  chosen.setBold(true);
  chosen.setItalic(true);
  ASSERT_TRUE(WithDialog([&] { Item("FontMItem").trigger(); },
                         [&](QDialog& dialog) {
                           EXPECT_EQ(dialog.objectName(), QStringLiteral("FontDialog"));
                           static_cast<QFontDialog&>(dialog).setCurrentFont(chosen);
                           dialog.accept();
                         }));
  const QFont list = List("ConvListBox").font();
  EXPECT_EQ(list.family(), *other);
  EXPECT_EQ(list.pointSize(), 15);
  EXPECT_EQ(list.bold(), before.bold());
  EXPECT_EQ(list.italic(), before.italic());
  EXPECT_EQ(CurrentSettings().FontName, other->toStdString());
  EXPECT_EQ(CurrentSettings().FontSize, 15);
  EXPECT_EQ(List("OutputListBox").font(), list);
}

}  // namespace
}  // namespace mxt::gui::testing
