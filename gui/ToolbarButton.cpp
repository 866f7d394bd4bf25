#include "gui/ToolbarButton.h"

#include "gui/ToolbarButtonGroup.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>

namespace mxt::gui {

namespace {

constexpr QSize kGlyphSize(16, 16);

bool IsMouseButtonEvent(const QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return true;
    case QEvent::ContextMenu:
      return static_cast<const QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Mouse;
    default:
      return false;
  }
}

}  // namespace

ToolbarButton::ToolbarButton(const QString& name, QWidget* parent) : QToolButton(parent) {
  setObjectName(name);
  setAccessibleName(name);
  // Toolbar buttons are worked with the mouse; the menus carry the same commands.
  setFocusPolicy(Qt::NoFocus);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setIconSize(kGlyphSize);
}

void ToolbarButton::SetHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(u'|');
  const QString shortText = bar < 0 ? hint : hint.left(bar);
  setToolTip(shortText);
  setStatusTip(bar < 0 ? QString() : hint.mid(bar + 1));
  setText(shortText);
  setAccessibleName(shortText);
}

void ToolbarButton::SetGlyphs(const ButtonGlyphs& glyphs) {
  QIcon icon;
  for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected}) {
    icon.addPixmap(glyphs.up, mode, QIcon::Off);
    icon.addPixmap(glyphs.down, mode, QIcon::On);
  }
  icon.addPixmap(glyphs.disabled, QIcon::Disabled, QIcon::Off);
  icon.addPixmap(glyphs.disabled, QIcon::Disabled, QIcon::On);
  setIcon(icon);
  heldGlyph_ = QIcon(glyphs.heldDown);
}

bool ToolbarButton::event(QEvent* event) {
  if (mouseLocked_ && IsMouseButtonEvent(event)) {
    event->accept();
    return true;
  }
  return QToolButton::event(event);
}

void ToolbarButton::mouseReleaseEvent(QMouseEvent* event) {
  QToolButton::mouseReleaseEvent(event);
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton && at.x() >= 0 && at.x() < width() && at.y() >= 0 &&
      at.y() <= height() && OnReleasedInside) {
    OnReleasedInside(*this);
  }
  // The press may have been refused; the release is ours all the same.
  event->accept();
}

void ToolbarButton::nextCheckState() {
  if (isChecked() && group_ && !group_->AllowAllUp()) return;
  QToolButton::nextCheckState();
}

void ToolbarButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton option;
  initStyleOption(&option);
  if (isDown() && !heldGlyph_.isNull()) option.icon = heldGlyph_;
  painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

}  // namespace mxt::gui
