#include "gui/StickyToolbarButton.h"

#include <QMouseEvent>

namespace mxt::gui {

namespace {

bool IsLeftPress(const QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) {
    return false;
  }
  return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

}  // namespace

bool StickyToolbarButton::event(QEvent* event) {
  if (!MouseLocked() && isChecked() && IsLeftPress(event)) {
    event->accept();
    return true;
  }
  return ToolbarButton::event(event);
}

}  // namespace mxt::gui
