#include "gui/HelpManual.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace mxt::gui {

namespace {

constexpr char kIndexAnchor[] = "index";

// The manual in the window's language: its translation names its file.
QString ManualFile() {
  return QCoreApplication::translate("HelpManual", "help/mxt.html");
}

QString ReadManual() {
  QFile file(QStringLiteral(":/") + ManualFile());
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

}  // namespace

HelpManual::HelpManual(const QString& html) {
  QTextDocument document;
  document.setHtml(html);
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    if (level > 0) topics_.push_back({QString(), block.text(), level, QString()});
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      const QTextCharFormat format = fragment.fragment().charFormat();
      for (const QString& name : format.anchorNames()) {
        anchors_.insert(name);
        if (level > 0 && topics_.back().anchor.isEmpty()) topics_.back().anchor = name;
      }
      const QString href = format.anchorHref();
      if (!topics_.empty() && topics_.back().anchor == QLatin1String(kIndexAnchor) &&
          href.startsWith(QLatin1Char('#'))) {
        keywords_.push_back({fragment.fragment().text(), href.mid(1)});
      }
    }
    if (level == 0 && !topics_.empty()) topics_.back().text += block.text() + QLatin1Char('\n');
  }
}

HelpManual HelpManual::Program() {
  return HelpManual(ReadManual());
}

QUrl HelpManual::Source() {
  return QUrl(QStringLiteral("qrc:/") + ManualFile());
}

QString HelpManual::ContextAnchor(int context) {
  return QString::number(context);
}

std::vector<const HelpManual::Topic*> HelpManual::Search(const QString& query) const {
  const QStringList words =
      query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
  std::vector<const Topic*> found;
  if (words.isEmpty()) return found;
  for (const Topic& topic : topics_) {
    if (topic.anchor == QLatin1String(kIndexAnchor)) continue;
    const QString all = topic.title + QLatin1Char('\n') + topic.text;
    if (std::all_of(words.begin(), words.end(),
                    [&](const QString& word) { return all.contains(word, Qt::CaseInsensitive); })) {
      found.push_back(&topic);
    }
  }
  return found;
}

}  // namespace mxt::gui
