#include "gui/StatusLine.h"

#include <QAccessible>

namespace mxt::gui {

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent) {
  connect(this, &QStatusBar::messageChanged, this, &StatusLine::TextChanged);
}

void StatusLine::TextChanged(const QString& text) {
  setAccessibleName(text.trimmed());
  // Told as a change of name, so that a screen reader reads the new text out.
  QAccessibleEvent changed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
}

}  // namespace mxt::gui
