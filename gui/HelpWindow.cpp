#include "gui/HelpWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/HelpManual.h"
#include "gui/Pictures.h"

namespace mxt::gui {

namespace {

constexpr int kAnchorRole = Qt::UserRole;
constexpr char kTopAnchor[] = "top";

// A pane of a labelled edit with its button above a list of topics to go to.
struct FinderPane {
  QWidget* pane;
  QLineEdit* edit;
  QPushButton* button;
  QListWidget* list;
};

FinderPane MakeFinderPane(const QString& name, const QString& label, const QString& button,
                          const QString& listName) {
  auto* pane = new QWidget;
  auto* caption = new QLabel(label, pane);
  auto* edit = new QLineEdit(pane);
  edit->setObjectName(name + QStringLiteral("Edit"));
  caption->setBuddy(edit);
  auto* go = new QPushButton(button, pane);
  auto* list = new QListWidget(pane);
  list->setObjectName(name + QStringLiteral("List"));
  list->setAccessibleName(listName);
  auto* layout = new QGridLayout(pane);
  layout->addWidget(caption, 0, 0, 1, 2);
  layout->addWidget(edit, 1, 0);
  layout->addWidget(go, 1, 1);
  layout->addWidget(list, 2, 0, 1, 2);
  return {pane, edit, go, list};
}

QListWidgetItem* AddTopicItem(QListWidget& list, const QString& text, const QString& anchor) {
  auto* item = new QListWidgetItem(text, &list);
  item->setData(kAnchorRole, anchor);
  return item;
}

}  // namespace

HelpWindow::HelpWindow() {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(tr("MXT ヘルプ"));
  setWindowIcon(ProgramIcon());
  // Help open on its own does not keep the program running.
  setAttribute(Qt::WA_QuitOnClose, false);
  panes_ = new QTabWidget;
  panes_->setObjectName(QStringLiteral("NavigationTabs"));
  panes_->addTab(MakeContentsPane(), tr("目次"));
  panes_->addTab(MakeKeywordsPane(), tr("キーワード"));
  panes_->addTab(MakeSearchPane(), tr("検索"));
  browser_ = new QTextBrowser;
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setAccessibleName(tr("MXT ヘルプ"));
  browser_->setSource(HelpManual::Source());
  // The history takes the new place only after telling of it.
  connect(browser_, &QTextBrowser::sourceChanged, this,
          [this](const QUrl& source) { FollowTopic(source.fragment()); });
  auto* splitter = new QSplitter(this);
  splitter->addWidget(panes_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 520});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(splitter);
  resize(780, 540);
}

QWidget* HelpWindow::MakeContentsPane() {
  contents_ = new QTreeWidget;
  contents_->setObjectName(QStringLiteral("ContentsTree"));
  contents_->setAccessibleName(tr("目次"));
  contents_->setHeaderHidden(true);
  contents_->setIndentation(14);
  // Each topic hangs below the nearest topic before it of a higher level.
  std::vector<std::pair<int, QTreeWidgetItem*>> open;
  for (const HelpManual::Topic& topic : manual_.Topics()) {
    if (topic.anchor.isEmpty()) continue;
    while (!open.empty() && open.back().first >= topic.level)
      open.pop_back();
    auto* item =
        open.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(open.back().second);
    item->setText(0, topic.title);
    item->setData(0, kAnchorRole, topic.anchor);
    open.emplace_back(topic.level, item);
  }
  contents_->expandAll();
  connect(contents_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { GoTo(item->data(0, kAnchorRole).toString()); });
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { GoTo(item->data(0, kAnchorRole).toString()); });
  return contents_;
}

QWidget* HelpWindow::MakeKeywordsPane() {
  const FinderPane finder = MakeFinderPane(QStringLiteral("Keyword"), tr("キーワード(&K):"),
                                           tr("表示(&D)"), tr("キーワードの一覧"));
  keywordEdit_ = finder.edit;
  keywords_ = finder.list;
  for (const HelpManual::Keyword& keyword : manual_.Keywords())
    AddTopicItem(*keywords_, keyword.keyword, keyword.anchor);
  const auto open = [this] {
    if (QListWidgetItem* item = keywords_->currentItem()) GoTo(item->data(kAnchorRole).toString());
  };
  connect(keywordEdit_, &QLineEdit::textChanged, this,
          [this](const QString& text) { FilterKeywords(text); });
  connect(keywordEdit_, &QLineEdit::returnPressed, this, open);
  connect(finder.button, &QPushButton::clicked, this, open);
  connect(keywords_, &QListWidget::itemActivated, this, open);
  return finder.pane;
}

QWidget* HelpWindow::MakeSearchPane() {
  const FinderPane finder = MakeFinderPane(QStringLiteral("Search"), tr("検索する語(&W):"),
                                           tr("検索(&S)"), tr("見つかったトピック"));
  searchEdit_ = finder.edit;
  results_ = finder.list;
  connect(searchEdit_, &QLineEdit::returnPressed, this, [this] { RunSearch(); });
  connect(finder.button, &QPushButton::clicked, this, [this] { RunSearch(); });
  connect(results_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { GoTo(item->data(kAnchorRole).toString()); });
  return finder.pane;
}

void HelpWindow::ShowContents() {
  GoTo(QLatin1String(kTopAnchor));
  Present(Pane::Contents, contents_);
}

void HelpWindow::ShowFinder() {
  Present(Pane::Search, searchEdit_);
}

void HelpWindow::ShowKeywords(const QString& keyword) {
  keywordEdit_->setText(keyword);
  FilterKeywords(keyword);
  Present(Pane::Keywords, keywordEdit_);
}

void HelpWindow::ShowContext(int context) {
  const QString anchor = HelpManual::ContextAnchor(context);
  GoTo(manual_.HasAnchor(anchor) ? anchor : QLatin1String(kTopAnchor));
  Present(Pane::Contents, browser_);
}

HelpWindow::Pane HelpWindow::CurrentPane() const {
  return static_cast<Pane>(panes_->currentIndex());
}

QString HelpWindow::CurrentTopic() const {
  return browser_->source().fragment();
}

void HelpWindow::Present(Pane pane, QWidget* focus) {
  panes_->setCurrentIndex(static_cast<int>(pane));
  show();
  raise();
  activateWindow();
  focus->setFocus();
}

void HelpWindow::GoTo(const QString& anchor) {
  QUrl url = HelpManual::Source();
  url.setFragment(anchor);
  browser_->setSource(url);
}

void HelpWindow::FilterKeywords(const QString& text) {
  QListWidgetItem* first = nullptr;
  for (int row = 0; row < keywords_->count(); ++row) {
    QListWidgetItem* item = keywords_->item(row);
    const bool shown = item->text().contains(text, Qt::CaseInsensitive);
    item->setHidden(!shown);
    if (shown && !first) first = item;
  }
  keywords_->setCurrentItem(first);
}

void HelpWindow::RunSearch() {
  results_->clear();
  for (const HelpManual::Topic* topic : manual_.Search(searchEdit_->text()))
    AddTopicItem(*results_, topic->title, topic->anchor);
  if (results_->count() == 0) {
    AddTopicItem(*results_, tr("見つかりませんでした。"), QString())->setFlags(Qt::NoItemFlags);
    return;
  }
  results_->setCurrentRow(0);
}

// The contents show where the manual is.
void HelpWindow::FollowTopic(const QString& anchor) {
  for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
    if ((*it)->data(0, kAnchorRole).toString() != anchor) continue;
    contents_->setCurrentItem(*it);
    return;
  }
}

}  // namespace mxt::gui
