#include "gui/StatusLine.h"

#include <QAccessible>
#include <QCoreApplication>

namespace mxt::gui {

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent) {
  connect(this, &QStatusBar::messageChanged, this, &StatusLine::TextChanged);
  TextChanged(QString());
}

// An empty line is named for what it is, so that it is never read by a code name.
void StatusLine::TextChanged(const QString& text) {
  const QString shown = text.trimmed();
  setAccessibleName(shown.isEmpty() ? QCoreApplication::translate("MainWindow", "ステータスライン")
                                    : shown);
  // Told as a change of name, so that a screen reader reads the new text out.
  QAccessibleEvent changed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
}

}  // namespace mxt::gui
