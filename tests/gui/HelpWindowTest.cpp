#include "gui/HelpWindow.h"
#include "gui/ProgramHelp.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>
#include <set>

#include "app/HelpContexts.h"
#include "gui/HelpManual.h"
#include "tests/gui/MainWindowFixture.h"

namespace mxt::gui::testing {
namespace {

std::vector<QString> Anchors(const std::vector<const HelpManual::Topic*>& topics) {
  std::vector<QString> anchors;
  for (const HelpManual::Topic* topic : topics)
    anchors.push_back(topic->anchor);
  return anchors;
}

// The help contexts the objects carry, each with the name of the object carrying it.
void CollectHelpContexts(const QObject& root, std::map<QString, int>& found) {
  std::vector<const QObject*> objects = {&root};
  for (const QObject* child : root.findChildren<QObject*>())
    objects.push_back(child);
  for (const QObject* object : objects) {
    const QVariant context = object->property("helpContext");
    if (context.isValid()) found[object->objectName()] = context.toInt();
  }
}

using HelpTest = MainWindowFixture;

// From the objects the windows are made of and the table they take their contexts from.
TEST_F(HelpTest, EveryHelpContextInUseHasItsTopicInTheManual) {
  std::map<QString, int> found;
  for (const std::uint8_t style : {1, 2}) {
    startSettings_.GUIStyle = style;
    Open();
    CollectHelpContexts(*window_, found);
    EXPECT_TRUE(WithDialog([&] { Item("OutputCodeMItem").trigger(); },
                           [&](QDialog& options) {
                             CollectHelpContexts(options, found);
                             options.reject();
                           }));
    window_.reset();
  }
  ASSERT_FALSE(found.empty());
  std::set<int> contexts;
  for (const app::HelpContextUse& use : app::kHelpContexts)
    contexts.insert(use.context);
  for (const auto& [name, context] : found) {
    contexts.insert(context);
    if (const auto listed = app::HelpContextOf(name.toStdString())) {
      EXPECT_EQ(context, *listed) << name.toStdString();
    }
  }
  for (const int context : contexts) {
    EXPECT_TRUE(HelpManual::Program().HasAnchor(HelpManual::ContextAnchor(context))) << context;
  }
}

TEST(HelpManualTest, EveryLinkOfTheManualLeadsToATopic) {
  QFile file(QStringLiteral(":/help/mxt.html"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QTextDocument document;
  document.setHtml(QString::fromUtf8(file.readAll()));
  int links = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QString href = it.fragment().charFormat().anchorHref();
      if (href.isEmpty()) continue;
      ++links;
      ASSERT_TRUE(href.startsWith(QLatin1Char('#'))) << href.toStdString();
      EXPECT_TRUE(HelpManual::Program().HasAnchor(href.mid(1))) << href.toStdString();
    }
  }
  EXPECT_GE(links, static_cast<int>(HelpManual::Program().Keywords().size()));
  EXPECT_FALSE(HelpManual::Program().Keywords().empty());
}

TEST(HelpManualTest, TopicsKeywordsAndTheSearchComeFromTheHeadingsAndTheIndex) {
  const HelpManual manual(QStringLiteral(
      "<h1><a name=\"top\">Manual</a></h1><p>intro</p>"
      "<h2><a name=\"a\">Alpha</a></h2><p>red green</p><h3><a name=\"b\">Beta</a></h3><p>Red</p>"
      "<h2><a name=\"index\">Index</a></h2><ul><li><a href=\"#b\">red things</a></li></ul>"));
  std::vector<std::pair<QString, int>> topics;
  for (const HelpManual::Topic& topic : manual.Topics())
    topics.emplace_back(topic.anchor, topic.level);
  EXPECT_EQ(topics,
            (std::vector<std::pair<QString, int>>{{"top", 1}, {"a", 2}, {"b", 3}, {"index", 2}}));
  ASSERT_EQ(manual.Keywords().size(), 1u);
  EXPECT_EQ(manual.Keywords()[0].keyword, QStringLiteral("red things"));
  EXPECT_EQ(manual.Keywords()[0].anchor, QStringLiteral("b"));
  EXPECT_EQ(Anchors(manual.Search(QStringLiteral("RED"))), (std::vector<QString>{"a", "b"}));
  EXPECT_EQ(Anchors(manual.Search(QStringLiteral("green  red"))), (std::vector<QString>{"a"}));
  EXPECT_EQ(Anchors(manual.Search(QStringLiteral("beta"))), (std::vector<QString>{"b"}));
  EXPECT_TRUE(manual.Search(QStringLiteral("blue")).empty());
  EXPECT_TRUE(manual.Search(QStringLiteral("  ")).empty());
}

TEST_F(HelpTest, TheHelpWindowGoesToTopicsByContentsKeywordAndSearch) {
  ProgramHelp program;
  program.ShowContext(2520);
  HelpWindow& help = *program.OpenWindow();
  EXPECT_TRUE(help.isVisible());
  EXPECT_EQ(help.CurrentTopic(), QStringLiteral("2520"));
  const auto& contents = *help.findChild<QTreeWidget*>(QStringLiteral("ContentsTree"));
  ASSERT_NE(contents.currentItem(), nullptr);
  EXPECT_EQ(contents.currentItem()->text(0), QStringLiteral("File ページ"));
  program.ShowContext(4242);
  EXPECT_EQ(help.CurrentTopic(), QStringLiteral("top")) << "a context without a topic";

  program.ShowKeywords(QStringLiteral("utf"));
  EXPECT_EQ(help.CurrentPane(), HelpWindow::Pane::Keywords);
  const auto& keywords = *help.findChild<QListWidget*>(QStringLiteral("KeywordList"));
  for (int row = 0; row < keywords.count(); ++row) {
    const QListWidgetItem& item = *keywords.item(row);
    EXPECT_EQ(item.isHidden(), !item.text().contains(QStringLiteral("UTF"))) << row;
  }
  QTest::keyClick(help.findChild<QLineEdit*>(QStringLiteral("KeywordEdit")), Qt::Key_Return);
  EXPECT_EQ(help.CurrentTopic(), QStringLiteral("skipped"));

  program.ShowFinder();
  EXPECT_EQ(help.CurrentPane(), HelpWindow::Pane::Search);
  auto& words = *help.findChild<QLineEdit*>(QStringLiteral("SearchEdit"));
  words.setText(QStringLiteral("テンポラリファイルをコピー"));
  QTest::keyClick(&words, Qt::Key_Return);
  auto& results = *help.findChild<QListWidget*>(QStringLiteral("SearchList"));
  ASSERT_GE(results.count(), 1);
  EXPECT_EQ(results.item(0)->text(), QStringLiteral("File ページ"));
  QTest::keyClick(&results, Qt::Key_Return);
  EXPECT_EQ(help.CurrentTopic(), QStringLiteral("2520"));
  program.Close();
  EXPECT_EQ(program.OpenWindow(), nullptr);
}

}  // namespace
}  // namespace mxt::gui::testing
