#include "gui/OptionsDialog.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <set>

#include "app/MessageTexts.h"
#include "app/OptionsPages.h"
#include "engine/EscapeSequence.h"
#include "fileconv/FileList.h"
#include "gui/HelpWindow.h"
#include "tests/gui/MainWindowFixture.h"
#include "tests/support/Bytes.h"

namespace mxt::gui::testing {
namespace {

class OptionsDialogTest : public MainWindowFixture {
 protected:
  // Opens the dialog from the menu item and runs `act` in it; `act` closes it.
  void WithOptions(const char* item, const std::function<void(QDialog&)>& act) {
    EXPECT_TRUE(WithDialog([&] { Item(item).trigger(); }, act)) << item;
  }
  template <class Widget = QWidget>
  static Widget& Find(const QDialog& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
  }
  // A click where a person clicks a radio button or a check box: on its mark.
  static void Click(const QDialog& dialog, const char* name) {
    auto& button = Find<QAbstractButton>(dialog, name);
    QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button.height() / 2));
  }
  static QString CurrentPage(const QDialog& dialog) {
    return Find<QTabWidget>(dialog, "OptionPageControl").currentWidget()->objectName();
  }
  static QString AccessibleName(QWidget& widget) {
    return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
  }
  QString HelpTopic() const {
    const HelpWindow* help = window_->OpenHelpWindow();
    return help && help->isVisible() ? help->CurrentTopic() : QString();
  }
};

TEST_F(OptionsDialogTest, EachOptionItemOpensItsPageAndHelpOpensThatPagesTopic) {
  Open();
  const struct {
    const char* item;
    const char* page;
    const char* topic;
  } cases[] = {
      {"OutputCodeMItem", "OutputCodePage", "2500"}, {"InputCodeMItem", "InputCodePage", "2510"},
      {"FileOpeMItem", "FilePage", "2520"},          {"ViewerMItem", "ViewerPage", "2530"},
      {"InterfaceMItem", "InterfacePage", "2540"},
  };
  for (const auto& c : cases) {
    WithOptions(c.item, [&](QDialog& dialog) {
      EXPECT_EQ(CurrentPage(dialog), QString::fromUtf8(c.page));
      QTest::mouseClick(&Find(dialog, "HelpButton"), Qt::LeftButton);
      EXPECT_EQ(HelpTopic(), QString::fromUtf8(c.topic));
      EXPECT_TRUE(dialog.isVisible()) << "help leaves the dialog open";
      dialog.reject();
    });
  }
  WithOptions("ViewerMItem", [&](QDialog& dialog) {
    Find<QTabWidget>(dialog, "OptionPageControl").setCurrentIndex(1);
    QTest::mouseClick(&Find(dialog, "HelpButton"), Qt::LeftButton);
    EXPECT_EQ(HelpTopic(), QStringLiteral("2510")) << "the page shown now";
    dialog.reject();
  });
}

// The controls in the order the keyboard visits them, each named for a screen reader, and no
// access key twice on a page.
TEST_F(OptionsDialogTest, ThePagesHoldTheirControlsInOrderNamedAndWithDistinctAccessKeys) {
  const QStringList controls =
      QStringLiteral(
          "KanjiCodeGroupBox ShiftJISRadioButton EUCRadioButton JISRadioButton UTF8RadioButton "
          "EscapeSequenceLabel EscapeSequenceComboBox UTF8BOMCheckBox NewlineCodeGroupBox "
          "DontCareRadioButton CRLFRadioButton LFRadioButton CRRadioButton _7BitCheckBox "
          "InputKanjiCodeGroupBox InputAutoRadioButton InputShiftJISRadioButton "
          "InputEUCRadioButton InputJISRadioButton InputUTF8RadioButton MappingGroupBox "
          "MappingWindowsRadioButton MappingJISRadioButton RemoveCtrlZCheckBox "
          "PreserveTimeCheckBox OverwriteGroupBox RenTempRadioButton CopyTempRadioButton "
          "UnconvertibleGroupBox UnconvSkipRadioButton UnconvGetaRadioButton "
          "UnconvReferenceRadioButton ViewerPathLabel ViewerPathEdit ViewerBrowseButton "
          "CmdLineLabel CmdLineEdit WhenExecutedCheckBox WhenSelectedCheckBox WhenDroppedCheckBox "
          "WhenConvertedCheckBox DontShortenCheckBox OKButton CancelButton HelpButton")
          .split(QLatin1Char(' '));
  Open();
  WithOptions("OutputCodeMItem", [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("オプション"));
    const auto& pages = Find<QTabWidget>(dialog, "OptionPageControl");
    QStringList tabs;
    for (int i = 0; i < pages.count(); ++i)
      tabs << pages.tabText(i);
    EXPECT_EQ(tabs, QStringList({"Output Code", "Input Code", "File", "Viewer", "User Interface"}));
    QStringList visited;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
      if (controls.contains(w->objectName())) visited << w->objectName();
    }
    EXPECT_EQ(visited, controls);
    std::set<std::pair<int, QString>> names;  // by role
    for (const QString& name : controls) {
      QWidget& control = Find(dialog, qPrintable(name));
      const QString accessible = AccessibleName(control);
      EXPECT_FALSE(accessible.isEmpty()) << qPrintable(name);
      const auto role = QAccessible::queryAccessibleInterface(&control)->role();
      if (role != QAccessible::StaticText && role != QAccessible::Grouping) {
        EXPECT_TRUE(names.emplace(role, accessible).second) << qPrintable(name);
      }
    }
    EXPECT_EQ(AccessibleName(Find(dialog, "WhenDroppedCheckBox")),
              QStringLiteral("Drag & Drop 後、すぐに変換を開始(D)"));
    EXPECT_EQ(AccessibleName(Find(dialog, "ViewerPathEdit")), QStringLiteral("パス名(P):"));
    // A list reads its item; its label names it through the relation.
    const auto labels =
        QAccessible::queryAccessibleInterface(&Find(dialog, "EscapeSequenceComboBox"))
            ->relations(QAccessible::Label);
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const auto& relation) {
      return relation.first->object() == &Find(dialog, "EscapeSequenceLabel");
    }));
    for (int page = 0; page < pages.count(); ++page) {
      QString keys = QStringLiteral("H");  // the Help button's
      for (const QWidget* control : pages.widget(page)->findChildren<QWidget*>()) {
        const auto* button = qobject_cast<const QAbstractButton*>(control);
        const auto* label = qobject_cast<const QLabel*>(control);
        const QString caption = button ? button->text() : label ? label->text() : QString();
        const qsizetype mark = caption.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
        if (mark < 0) continue;
        EXPECT_FALSE(keys.contains(caption[mark + 1])) << qPrintable(caption);
        keys += caption[mark + 1];
      }
    }
    EXPECT_FALSE(Find<QComboBox>(dialog, "EscapeSequenceComboBox").isEditable());
    EXPECT_EQ(Find<QLineEdit>(dialog, "CmdLineEdit").maxLength(), 260);
    EXPECT_TRUE(Find<QPushButton>(dialog, "OKButton").isDefault());
    dialog.reject();
  });
}

TEST_F(OptionsDialogTest, TheEscapeSequencesApplyToJISOnlyAndKeepTheirItem) {
  Open();
  window_->SetOutputKanjiCode(1);
  WithOptions("OutputCodeMItem", [&](QDialog& dialog) {
    QWidget& label = Find(dialog, "EscapeSequenceLabel");
    auto& sets = Find<QComboBox>(dialog, "EscapeSequenceComboBox");
    EXPECT_FALSE(label.isEnabled());
    EXPECT_FALSE(sets.isEnabled());
    Click(dialog, "JISRadioButton");
    EXPECT_TRUE(label.isEnabled());
    EXPECT_TRUE(sets.isEnabled());
    sets.setCurrentIndex(2);
    Click(dialog, "EUCRadioButton");
    EXPECT_FALSE(label.isEnabled());
    EXPECT_FALSE(sets.isEnabled());
    EXPECT_EQ(sets.currentIndex(), 2);
    dialog.reject();
  });
}

TEST_F(OptionsDialogTest, AFixedInputCodeWarnsWhenChosenAndOnTheFirstOpening) {
  Open();
  CurrentSettings().InputKanjiCode = 2;
  const auto warnings = [this] {
    return std::count_if(messages_.begin(), messages_.end(), [](const Message& m) {
      return m.text == app::message::kInputCodeWarning && m.kind == fileconv::MessageKind::Warning;
    });
  };
  WithOptions("InputCodeMItem", [&](QDialog& dialog) {
    ASSERT_EQ(warnings(), 1);
    EXPECT_FALSE(messages_.back().overDialog) << "shown before the dialog";
    Click(dialog, "InputEUCRadioButton");  // chosen already
    Click(dialog, "InputAutoRadioButton");
    EXPECT_EQ(warnings(), 1);
    Click(dialog, "InputJISRadioButton");
    EXPECT_EQ(warnings(), 2);
    EXPECT_TRUE(messages_.back().overDialog);
    Click(dialog, "InputEUCRadioButton");
    dialog.reject();
  });
  WithOptions("InputCodeMItem", [&](QDialog& dialog) {
    EXPECT_EQ(warnings(), 3) << "EUC shown, EUC stored: no warning";
    Click(dialog, "InputAutoRadioButton");
    dialog.reject();
  });
  WithOptions("InputCodeMItem", [&](QDialog& dialog) {
    EXPECT_EQ(warnings(), 4) << "the stored code chosen again after a cancelled change";
    dialog.reject();
  });
  EXPECT_EQ(CurrentSettings().InputKanjiCode, 2);
}

TEST_F(OptionsDialogTest, CancelChangesNeitherTheSettingsNorTheToolbar) {
  Open();
  CurrentSettings().ViewerPath = "less";
  const fileconv::Settings before = CurrentSettings();
  WithOptions("OutputCodeMItem", [&](QDialog& dialog) {
    for (const char* name : {"JISRadioButton", "LFRadioButton", "_7BitCheckBox"})
      Click(dialog, name);
    Find<QTabWidget>(dialog, "OptionPageControl").setCurrentIndex(4);
    Click(dialog, "DontShortenCheckBox");
    Find<QLineEdit>(dialog, "ViewerPathEdit").setText(QStringLiteral("/bin/more"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_EQ(CurrentSettings().OutputKanjiCode, before.OutputKanjiCode);
  EXPECT_EQ(CurrentSettings().OutputNewlineCode, before.OutputNewlineCode);
  EXPECT_EQ(CurrentSettings().SevenBitMode, before.SevenBitMode);
  EXPECT_EQ(CurrentSettings().DontShortenFileName, before.DontShortenFileName);
  EXPECT_EQ(CurrentSettings().ViewerPath, "less");
  EXPECT_TRUE(Button("ShiftJISButton").isChecked());
  EXPECT_FALSE(Button("JISButton").isChecked());
  EXPECT_FALSE(Button("LFButton").isChecked());
  WithOptions("OutputCodeMItem", [&](QDialog& dialog) {
    EXPECT_TRUE(Find<QRadioButton>(dialog, "ShiftJISRadioButton").isChecked());
    EXPECT_TRUE(Find<QRadioButton>(dialog, "DontCareRadioButton").isChecked());
    EXPECT_FALSE(Find<QCheckBox>(dialog, "_7BitCheckBox").isChecked());
    EXPECT_EQ(Find<QLineEdit>(dialog, "ViewerPathEdit").text(), QStringLiteral("less"));
    dialog.reject();
  });
}

// The typing limit is not a limit on what is stored: OK on any page keeps long texts whole.
TEST_F(OptionsDialogTest, OKAppliesThePagesAndTheToolbarFollows) {
  Open();
  window_->SetOutputNewlineCode(1);
  const std::string viewer = "/opt/" + std::string(300, 'v');
  const std::string options(280, 'o');
  CurrentSettings().ViewerPath = viewer;
  CurrentSettings().ViewerCmdLineOption = options;
  WithOptions("OutputCodeMItem", [&](QDialog& dialog) {
    Click(dialog, "JISRadioButton");
    Find<QComboBox>(dialog, "EscapeSequenceComboBox").setCurrentIndex(3);
    Click(dialog, "LFRadioButton");
    Find<QTabWidget>(dialog, "OptionPageControl").setCurrentIndex(2);
    Click(dialog, "CopyTempRadioButton");
    Click(dialog, "PreserveTimeCheckBox");
    QTest::keyClick(&dialog, Qt::Key_Return);
  });
  EXPECT_EQ(CurrentSettings().OutputKanjiCode, 2);
  EXPECT_EQ(CurrentSettings().EscapeSequence, engine::EscapeSequenceSet::EscKH);
  EXPECT_EQ(CurrentSettings().OutputNewlineCode, engine::NewlineCode::LF);
  EXPECT_EQ(CurrentSettings().WayToOverwrite, 1);
  EXPECT_TRUE(CurrentSettings().PreserveTimestamp);
  EXPECT_EQ(CurrentSettings().ViewerPath, viewer);
  EXPECT_EQ(CurrentSettings().ViewerCmdLineOption, options);
  EXPECT_TRUE(Button("JISButton").isChecked());
  EXPECT_FALSE(Button("ShiftJISButton").isChecked());
  EXPECT_TRUE(Button("LFButton").isChecked());
  EXPECT_FALSE(Button("CRLFButton").isChecked());
  WithOptions("OutputCodeMItem", [&](QDialog& dialog) {
    Click(dialog, "DontCareRadioButton");
    QTest::mouseClick(&Find(dialog, "OKButton"), Qt::LeftButton);
  });
  EXPECT_EQ(CurrentSettings().OutputNewlineCode, engine::NewlineCode::DontCare);
  for (const char* name : {"CRLFButton", "LFButton", "CRButton"})
    EXPECT_FALSE(Button(name).isChecked()) << name;
}

TEST_F(OptionsDialogTest, UTF8TheByteOrderMarkTheMappingAndTheUnconvertibleAreChosenHere) {
  Open();
  WithOptions("OutputCodeMItem", [&](QDialog& dialog) {
    Click(dialog, "UTF8RadioButton");
    EXPECT_FALSE(Find(dialog, "EscapeSequenceComboBox").isEnabled());
    Click(dialog, "UTF8BOMCheckBox");
    Find<QTabWidget>(dialog, "OptionPageControl").setCurrentIndex(1);
    Click(dialog, "MappingJISRadioButton");
    Find<QTabWidget>(dialog, "OptionPageControl").setCurrentIndex(2);
    Click(dialog, "UnconvReferenceRadioButton");
    QTest::keyClick(&dialog, Qt::Key_Return);
  });
  EXPECT_EQ(CurrentSettings().OutputKanjiCode, engine::kOutputUTF8);
  EXPECT_TRUE(CurrentSettings().UTF8BOM);
  EXPECT_EQ(CurrentSettings().Mapping, engine::CharacterMapping::JIS);
  EXPECT_EQ(CurrentSettings().Unconvertible, engine::Unconvertible::Reference);
  EXPECT_TRUE(Button("UTF8Button").isChecked());
  EXPECT_FALSE(Button("ShiftJISButton").isChecked());
  CurrentSettings().InputKanjiCode = 4;
  WithOptions("InputCodeMItem", [&](QDialog& dialog) {
    EXPECT_TRUE(Find<QRadioButton>(dialog, "InputUTF8RadioButton").isChecked());
    EXPECT_TRUE(Find<QRadioButton>(dialog, "MappingJISRadioButton").isChecked());
    dialog.reject();
  });
}

// Taken from the command line or the dialog, the long name option measures the lists at
// once; a cleared list goes back to the column's own width.
TEST_F(OptionsDialogTest, TheLongNameOptionMeasuresTheListsAtOnce) {
  const std::string name = std::string(70, 'n') + ".txt";
  ::mxt::testing::WriteFile(Path(name), "text\n");
  Open({"/UF", Path(name)});
  const QFontMetrics metrics(List("ConvListBox").font());
  const int longStop = metrics.horizontalAdvance(QString::fromStdString(name)) + 8;
  const int shortStop = Files().Column().Width() + 8;
  ASSERT_EQ(Files().Column().StatusTabStops()[0], longStop);
  const auto toggleLongNames = [&](QDialog& dialog) {
    Click(dialog, "DontShortenCheckBox");
    QTest::keyClick(&dialog, Qt::Key_Return);
  };
  WithOptions("InterfaceMItem", toggleLongNames);
  EXPECT_EQ(Files().Column().StatusTabStops()[0], shortStop);
  WithOptions("InterfaceMItem", [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
  EXPECT_EQ(Files().Column().StatusTabStops()[0], shortStop);
  WithOptions("InterfaceMItem", toggleLongNames);
  EXPECT_EQ(Files().Column().StatusTabStops()[0], longStop);
  Item("ClearMItem").trigger();
  EXPECT_EQ(Files().Column().StatusTabStops()[0], shortStop);
  EXPECT_FALSE(ConvButton().isEnabled());
}

TEST_F(OptionsDialogTest, TheDialogIsMadeOnceCentredAndAlwaysInsideTheWorkArea) {
  Open();
  const QRect work = window_->screen()->availableGeometry();
  // Room above and below: the dialog is taller than the window.
  window_->move(work.center() - window_->rect().center());
  QCoreApplication::processEvents();
  QRect first;
  WithOptions("FileOpeMItem", [&](QDialog& dialog) {
    first = dialog.frameGeometry();
    dialog.reject();
  });
  // Offscreen places a window not shown yet by its inside, so the frame is off by its own
  // width here; tests/window checks the centring to the pixel under a window manager.
  EXPECT_LE(std::abs(first.center().x() - window_->frameGeometry().center().x()), 3);
  EXPECT_LE(std::abs(first.center().y() - window_->frameGeometry().center().y()), 3);
  window_->move(work.right() - 60, work.bottom() - 40);
  QCoreApplication::processEvents();
  for (int opening = 0; opening < 2; ++opening) {
    WithOptions("FileOpeMItem", [&](QDialog& dialog) {
      EXPECT_TRUE(work.contains(dialog.frameGeometry())) << dialog.frameGeometry().x();
      dialog.reject();
    });
  }
  EXPECT_EQ(window_->findChildren<OptionsDialog*>().size(), 1);
}

TEST_F(OptionsDialogTest, LabelsFocusTheirControlsAndAnEditIsEnteredWithoutSelecting) {
  Open();
  window_->SetOutputKanjiCode(2);
  CurrentSettings().ViewerPath = "xdg-open";
  WithOptions("ViewerMItem", [&](QDialog& dialog) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(&Find(dialog, "CmdLineLabel"), Qt::LeftButton);
    EXPECT_EQ(dialog.focusWidget(), &Find(dialog, "CmdLineEdit"));
    // The click's focus change is delivered first: a slow build otherwise sends the access
    // key before it, and the key finds the label's shortcut not yet in reach.
    QCoreApplication::processEvents();
    QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);
    auto& path = Find<QLineEdit>(dialog, "ViewerPathEdit");
    EXPECT_EQ(dialog.focusWidget(), &path);
    EXPECT_FALSE(path.hasSelectedText());
    QTest::mouseClick(&Find(dialog, "ViewerPathLabel"), Qt::LeftButton);
    EXPECT_EQ(dialog.focusWidget(), &path);
    Find<QTabWidget>(dialog, "OptionPageControl").setCurrentIndex(0);
    QTest::mouseClick(&Find(dialog, "EscapeSequenceLabel"), Qt::LeftButton);
    EXPECT_EQ(dialog.focusWidget(), &Find(dialog, "EscapeSequenceComboBox"));
    dialog.reject();
  });
}

// The names a file dialog lists in its folder, once `awaited` is among them (the folder is
// read on a thread of its own).
QStringList ListedNames(QFileDialog& dialog, const QString& awaited) {
  const auto& view = *dialog.findChild<QListView*>(QStringLiteral("listView"));
  QStringList names;
  QElapsedTimer waited;
  waited.start();
  do {
    QTest::qWait(20);
    names.clear();
    const QModelIndex folder = view.rootIndex();
    for (int row = 0; row < view.model()->rowCount(folder); ++row)
      names << view.model()->index(row, 0, folder).data().toString();
  } while (!names.contains(awaited) && waited.elapsed() < 5000);
  names.sort();
  return names;
}

// The chosen program is named by its folders as the system resolves them.
TEST_F(OptionsDialogTest, BrowsingOffersProgramsAndTakesTheChosenOnesListedPath) {
  ASSERT_EQ(::mkdir(Path("bin").c_str(), 0755), 0);
  ::mxt::testing::WriteFile(Path("bin/viewer"), "#!/bin/sh\n");
  ASSERT_EQ(::chmod(Path("bin/viewer").c_str(), 0755), 0);
  ::mxt::testing::WriteFile(Path("bin/notes.txt"), "not a program\n");
  ASSERT_EQ(::mkdir(Path("bin/tools").c_str(), 0755), 0);
  ASSERT_EQ(::symlink(Path("bin").c_str(), Path("link").c_str()), 0);
  Open();
  WithOptions("ViewerMItem", [&](QDialog& dialog) {
    const bool browsed = WithDialog(
        [&] { QTest::mouseClick(&Find(dialog, "ViewerBrowseButton"), Qt::LeftButton); },
        [&](QDialog& browse) {
          auto& files = static_cast<QFileDialog&>(browse);
          EXPECT_EQ(files.objectName(), QStringLiteral("BrowseDialog"));
          EXPECT_EQ(files.windowTitle(), QStringLiteral("ビューア 参照"));
          files.setDirectory(QString::fromStdString(Path("bin")));
          EXPECT_EQ(ListedNames(files, "viewer").join(' ').toStdString(), ".. tools viewer")
              << "the folders and the programs, not the other files";
          EXPECT_EQ(files.fileMode(), QFileDialog::ExistingFile);
          EXPECT_NE(files.findChild<QPushButton*>(QStringLiteral("HelpButton")), nullptr);
          ChooseFile(browse, Path("link/viewer"));
        });
    EXPECT_TRUE(browsed);
    EXPECT_EQ(Find<QLineEdit>(dialog, "ViewerPathEdit").text(),
              QString::fromStdString(Path("bin/viewer")));
    dialog.accept();
  });
  EXPECT_EQ(CurrentSettings().ViewerPath, Path("bin/viewer"));
}

}  // namespace
}  // namespace mxt::gui::testing
