#pragma once

#include <QSet>
#include <QString>
#include <QUrl>
#include <vector>

namespace mxt::gui {

// The manual read as topics: each heading begins one, named by the anchor on it. The
// section with the anchor "index" lists the keywords as links.
class HelpManual {
 public:
  struct Topic {
    QString anchor;
    QString title;
    // 1 for the manual's title, 2 for a chapter, 3 for a topic in it.
    int level = 0;
    QString text;
  };
  struct Keyword {
    QString keyword;
    QString anchor;
  };

  explicit HelpManual(const QString& html);

  // The manual compiled into the program, in the window's language.
  static HelpManual Program();
  static QUrl Source();
  // The anchor of a help context's topic.
  static QString ContextAnchor(int context);

  const std::vector<Topic>& Topics() const { return topics_; }
  const std::vector<Keyword>& Keywords() const { return keywords_; }
  bool HasAnchor(const QString& anchor) const { return anchors_.contains(anchor); }
  // The topics holding every word of the query, in their order; the index is no topic.
  std::vector<const Topic*> Search(const QString& query) const;

 private:
  std::vector<Topic> topics_;
  std::vector<Keyword> keywords_;
  QSet<QString> anchors_;
};

}  // namespace mxt::gui
