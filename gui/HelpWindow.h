#pragma once

#include <QCoreApplication>
#include <QWidget>

#include "gui/HelpManual.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace mxt::gui {

// The program's help: the manual beside its contents, its keywords and a search over it.
class HelpWindow : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(HelpWindow)

 public:
  // The navigation tabs, in their order.
  enum class Pane { Contents, Keywords, Search };

  HelpWindow();

  void ShowContents();
  // The search, as "topics" opens it.
  void ShowFinder();
  // The keywords, those holding `keyword` first in view.
  void ShowKeywords(const QString& keyword);
  void ShowContext(int context);

  Pane CurrentPane() const;
  // The anchor of the topic shown; empty at the top of the manual.
  QString CurrentTopic() const;

 private:
  QWidget* MakeContentsPane();
  QWidget* MakeKeywordsPane();
  QWidget* MakeSearchPane();
  void Present(Pane pane, QWidget* focus);
  void GoTo(const QString& anchor);
  void FilterKeywords(const QString& text);
  void RunSearch();
  void FollowTopic(const QString& anchor);

  const HelpManual manual_ = HelpManual::Program();
  QTabWidget* panes_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QLineEdit* keywordEdit_ = nullptr;
  QListWidget* keywords_ = nullptr;
  QLineEdit* searchEdit_ = nullptr;
  QListWidget* results_ = nullptr;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace mxt::gui
