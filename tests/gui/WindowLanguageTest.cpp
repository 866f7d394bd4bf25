// The window in each of its languages: every text it shows, its access keys, its dialogs.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTranslator>
#include <map>
#include <span>

#include "app/MessageTexts.h"
#include "gui/HelpManual.h"
#include "gui/HelpWindow.h"
#include "gui/WindowTranslation.h"
#include "tests/gui/MainWindowFixture.h"

namespace mxt::gui::testing {
namespace {

using app::WindowLanguage;

bool HasJapanese(const QString& text) {
  static const QRegularExpression kana(
      QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff61}-\\x{ff9f}]"));
  return text.contains(kana);
}

// The access key a caption marks with "&", lower case; none for "&&".
QChar AccessKey(const QString& caption) {
  for (qsizetype at = caption.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < caption.size();
       at = caption.indexOf(QLatin1Char('&'), at + 2)) {
    if (caption[at + 1] != QLatin1Char('&')) return caption[at + 1].toLower();
  }
  return QChar();
}

// What the window shows, by where it shows it, and the captions that share access keys.
struct Walk {
  std::map<std::string, QString> texts;
  std::map<std::string, std::vector<QString>> keyScopes;
  std::vector<std::string> clipped;

  void Text(const std::string& where, const QString& text) { texts[where] = text; }
  void Caption(const std::string& scope, const std::string& where, const QString& text) {
    Text(where, text);
    keyScopes[scope].push_back(text);
  }
};

std::string NameOf(const QObject& object) {
  return object.objectName().toStdString();
}

// Qt's own widgets, such as the menu bar's overflow button, are no part of the walk.
bool OwnedByQt(const QObject& object) {
  return object.objectName().startsWith(QLatin1String("qt_"));
}

void WalkMenu(const QMenu& menu, Walk& walk) {
  if (OwnedByQt(menu)) return;
  for (const QAction* item : menu.actions()) {
    if (item->isSeparator() || !item->isVisible() || item->menu()) continue;
    walk.Caption(NameOf(menu), NameOf(*item), item->text());
    walk.Text(NameOf(*item) + " hint", item->statusTip());
  }
}

// A push button holds its text with room to spare; a check box or radio button needs the
// width it asks for, its mark beside the text.
bool Clipped(const QAbstractButton& button) {
  if (!button.isVisible()) return false;
  if (!qobject_cast<const QPushButton*>(&button)) return button.width() < button.sizeHint().width();
  QString text = button.text();
  text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
  return button.fontMetrics().horizontalAdvance(text) + 6 > button.width();
}

void WalkButton(const QAbstractButton& button, const std::string& scope, Walk& walk) {
  walk.Caption(scope, NameOf(button), button.text());
  if (Clipped(button)) walk.clipped.push_back(NameOf(button));
}

// The controls of a page or dialog; a control narrower than its text counts as clipped.
void WalkControls(const QWidget& parent, const std::string& scope, Walk& walk) {
  for (const QAbstractButton* button : parent.findChildren<QAbstractButton*>()) {
    if (!button->text().isEmpty()) WalkButton(*button, scope, walk);
  }
  for (const QLabel* label : parent.findChildren<QLabel*>()) {
    if (label->text().isEmpty() || label->objectName().isEmpty()) continue;
    walk.Caption(scope, NameOf(*label), label->text());
    if (label->isVisible() && !label->wordWrap() && label->width() < label->sizeHint().width())
      walk.clipped.push_back(NameOf(*label));
  }
  for (const QGroupBox* group : parent.findChildren<QGroupBox*>())
    walk.Text(NameOf(*group), group->title());
  for (const QComboBox* list : parent.findChildren<QComboBox*>()) {
    for (int i = 0; i < list->count(); ++i)
      walk.Text(NameOf(*list) + " " + std::to_string(i), list->itemText(i));
    if (list->isVisible() && list->width() < list->sizeHint().width())
      walk.clipped.push_back(NameOf(*list));
  }
}

class WindowLanguageTest : public MainWindowFixture {
 protected:
  void TearDown() override {
    UseLanguage(WindowLanguage::Japanese);
    MainWindowFixture::TearDown();
  }

  static void UseLanguage(WindowLanguage language) {
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(translator);
      delete translator;
    }
    if (language == WindowLanguage::English) InstallTranslations(*qApp, language);
  }

  Walk WalkWindow(WindowLanguage language) {
    window_.reset();
    UseLanguage(language);
    Open();
    Walk walk;
    for (const QAction* menu : window_->menuBar()->actions())
      walk.Caption("MainMenu", NameOf(*menu), menu->text());
    for (const QMenu* menu : window_->findChildren<QMenu*>())
      WalkMenu(*menu, walk);
    for (const ToolbarButton* button : window_->findChildren<ToolbarButton*>()) {
      if (OwnedByQt(*button)) continue;
      walk.Text(NameOf(*button) + " hint", button->statusTip());
      walk.Text(NameOf(*button) + " tip", button->toolTip());
    }
    walk.Caption("MainWindow", "ConvButton", ConvButton().text());
    walk.Text("ConvButton hint", ConvButton().statusTip());
    for (const char* name : {"ConvListBox", "OutputListBox", "ConvArrow", "StatusLine"})
      walk.Text(std::string(name) + " name", Control(name).accessibleName());
    WalkOptionsDialog(walk);
    WithDialog([&] { Item("AboutMItem").trigger(); },
               [&](QDialog& about) {
                 walk.Text("About title", about.windowTitle());
                 WalkControls(about, "About", walk);
                 about.accept();
               });
    WalkHelpWindow(walk);
    return walk;
  }

  void WalkOptionsDialog(Walk& walk) {
    WithDialog([&] { Item("OutputCodeMItem").trigger(); },
               [&](QDialog& dialog) {
                 walk.Text("Options title", dialog.windowTitle());
                 auto& pages = *dialog.findChild<QTabWidget*>();
                 for (int page = 0; page < pages.count(); ++page) {
                   pages.setCurrentIndex(page);
                   QCoreApplication::processEvents();
                   const std::string scope = NameOf(*pages.widget(page));
                   WalkControls(*pages.widget(page), scope, walk);
                   for (const char* name : {"OKButton", "CancelButton", "HelpButton"}) {
                     WalkButton(*dialog.findChild<QAbstractButton*>(QString::fromUtf8(name)), scope,
                                walk);
                   }
                 }
                 dialog.reject();
               });
  }

  void WalkHelpWindow(Walk& walk) {
    Item("SearchKeywordMItem").trigger();
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* help = dynamic_cast<HelpWindow*>(top);
      if (!help) continue;
      walk.Text("Help title", help->windowTitle());
      const QTabWidget& panes = *help->findChild<QTabWidget*>();
      for (int pane = 0; pane < panes.count(); ++pane)
        walk.Text("Help pane " + std::to_string(pane), panes.tabText(pane));
      WalkControls(*help, "Help", walk);
      help->close();
    }
  }
};

TEST_F(WindowLanguageTest, EveryJapaneseTextHasItsEnglishOneAndEveryAccessKeyIsUnique) {
  const Walk japanese = WalkWindow(WindowLanguage::Japanese);
  const Walk english = WalkWindow(WindowLanguage::English);
  for (const auto& [where, text] : english.texts)
    EXPECT_TRUE(japanese.texts.contains(where)) << where;
  ASSERT_GT(japanese.texts.size(), 140u);
  for (const auto& [where, text] : japanese.texts) {
    if (!english.texts.contains(where)) {
      ADD_FAILURE() << where << " has no English text";
      continue;
    }
    const QString& translated = english.texts.at(where);
    EXPECT_FALSE(text.isEmpty()) << where;
    EXPECT_FALSE(translated.isEmpty()) << where;
    EXPECT_FALSE(HasJapanese(translated)) << where << ": " << translated.toStdString();
    if (HasJapanese(text)) {
      EXPECT_NE(translated, text) << where;
    }
  }
  EXPECT_EQ(japanese.texts.at("FileMenu"), QStringLiteral("ファイル(&F)"));
  EXPECT_EQ(english.texts.at("FileMenu"), QStringLiteral("&File"));
  for (const Walk* walk : {&japanese, &english}) {
    for (const std::string& where : walk->clipped)
      ADD_FAILURE() << where << " is clipped";
    for (const auto& [scope, captions] : walk->keyScopes) {
      std::map<QChar, QString> keys;
      for (const QString& caption : captions) {
        const QChar key = AccessKey(caption);
        if (key.isNull()) continue;
        const auto [taken, added] = keys.emplace(key, caption);
        EXPECT_TRUE(added) << scope << ": " << caption.toStdString() << " and "
                           << taken->second.toStdString();
      }
    }
  }
}

TEST_F(WindowLanguageTest, MessagesFromBelowTheWindowAreTranslatedAroundTheirNames) {
  UseLanguage(WindowLanguage::English);
  using Table = std::span<const std::string_view>;
  for (const Table table : {Table(fileconv::message::kAll), Table(app::message::kAll)}) {
    for (const std::string_view text : table) {
      const QString shown = TranslatedMessage(text);
      EXPECT_FALSE(HasJapanese(shown)) << text << " -> " << shown.toStdString();
    }
  }
  const std::string path = "/tmp/名前.txt";
  EXPECT_EQ(TranslatedMessage(path + fileconv::message::kCannotOpen),
            QString::fromStdString(path) + QStringLiteral(" cannot be opened"));
  EXPECT_EQ(TranslatedMessage(std::string("3").append(fileconv::message::kAlreadySelected)),
            QStringLiteral("3 files were not added, because they had already been selected."));
  UseLanguage(WindowLanguage::Japanese);
  EXPECT_EQ(TranslatedMessage(path + fileconv::message::kCannotOpen),
            QString::fromStdString(path + fileconv::message::kCannotOpen));
}

TEST_F(WindowLanguageTest, QtsOwnDialogsSpeakTheLanguageOfTheWindow) {
  UseLanguage(WindowLanguage::English);
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
  InstallTranslations(*qApp, WindowLanguage::Japanese);
  EXPECT_TRUE(HasJapanese(QCoreApplication::translate("QFileDialog", "Look in:")));
  EXPECT_TRUE(HasJapanese(QCoreApplication::translate("QFontDialog", "Select Font")));
}

TEST_F(WindowLanguageTest, TheEnglishManualHasEveryTopicOfTheJapaneseOne) {
  const HelpManual japanese = HelpManual::Program();
  UseLanguage(WindowLanguage::English);
  EXPECT_EQ(HelpManual::Source(), QUrl(QStringLiteral("qrc:/help/mxt.en.html")));
  const HelpManual english = HelpManual::Program();
  ASSERT_EQ(english.Topics().size(), japanese.Topics().size());
  for (std::size_t i = 0; i < japanese.Topics().size(); ++i) {
    EXPECT_EQ(english.Topics()[i].anchor, japanese.Topics()[i].anchor);
    EXPECT_EQ(english.Topics()[i].level, japanese.Topics()[i].level);
  }
  EXPECT_EQ(english.Keywords().size(), japanese.Keywords().size());
  for (const HelpManual::Keyword& keyword : english.Keywords())
    EXPECT_TRUE(english.HasAnchor(keyword.anchor)) << keyword.keyword.toStdString();
}

}  // namespace
}  // namespace mxt::gui::testing
