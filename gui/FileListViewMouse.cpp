#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>

#include "gui/FileListView.h"
#include "gui/Pictures.h"

namespace mxt::gui {

void FileListView::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (hold_.holding || event->button() != Qt::LeftButton) return;
  SetAddMode(false);
  setFocus(Qt::MouseFocusReason);
  const QPoint point = event->position().toPoint();
  const QModelIndex index = indexAt(point);
  if (!index.isValid()) return;
  hold_.pressPoint = point;
  PressRow(index.row(), event->modifiers());
}

void FileListView::PressRow(int row, Qt::KeyboardModifiers keys) {
  hold_.row = row;
  hold_.shift = keys & Qt::ShiftModifier;
  hold_.ctrl = keys & Qt::ControlModifier;
  hold_.wasSelected = selection_.IsSelected(row);
  if (!hold_.wasSelected) ApplyClick();
  bool allowDragDrop = true;
  if (OnMayDrag) OnMayDrag(*this, allowDragDrop);
  if (!allowDragDrop) {
    if (hold_.wasSelected) ApplyClick();
    return;
  }
  // A Shift or Ctrl press can leave the row deselected: there is nothing to drag then.
  if (!selection_.IsSelected(row)) return;
  hold_.several = selection_.SelectedCount() > 1;
  hold_.holding = true;
  if (OnHoldStarted) OnHoldStarted(*this);
}

void FileListView::ApplyClick() {
  selection_.Click(hold_.row, hold_.shift, hold_.ctrl);
  Mirror();
}

void FileListView::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (!hold_.holding) return;
  // The button went up where the list did not see it.
  if (!(event->buttons() & Qt::LeftButton)) {
    EndHold();
    return;
  }
  if (hold_.dragging) return;
  const QPoint moved = event->position().toPoint() - hold_.pressPoint;
  if (!app::BeyondDragDistance(moved.x(), moved.y(), dragDistance_)) return;
  hold_.dragging = true;
  viewport()->setCursor(DragCursor(DragCursorSlot::CantDrop));
  if (OnDragOut) OnDragOut(*this);
  // A drag carried out to its end, dropped or not, has taken the release with it.
  if (hold_.holding && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) EndHold();
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (hold_.holding && event->button() == Qt::LeftButton) EndHold();
}

// A right click while a row is held is swallowed with the menu it would bring up.
void FileListView::contextMenuEvent(QContextMenuEvent* event) {
  if (hold_.holding && event->reason() == QContextMenuEvent::Mouse) return event->accept();
  QListView::contextMenuEvent(event);
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  // Qt sends the second press of a double click too; it must not click the row again.
  hold_.wasSelected = false;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && OnOpen) {
    OnOpen(*this, index.row(), event->modifiers() & Qt::ShiftModifier);
  }
}

void FileListView::EndHold() {
  if (hold_.dragging) {
    viewport()->unsetCursor();
  } else if (hold_.wasSelected) {
    // A press on the selection that did not become a drag selects as a click does.
    ApplyClick();
  }
  hold_ = Hold{};
  if (OnHoldEnded) OnHoldEnded(*this);
}

namespace {

// A menu, or another window for a while, takes the keyboard without the list ceasing to
// be the control that has the window's focus.
bool FocusStaysInWindow(const QFocusEvent* event) {
  return event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason;
}

}  // namespace

void FileListView::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  UpdateRow(selection_.Caret());
  if (OnFocusIn && !FocusStaysInWindow(event)) OnFocusIn(*this);
}

void FileListView::focusOutEvent(QFocusEvent* event) {
  QListView::focusOutEvent(event);
  if (hold_.holding) EndHold();
  // A menu takes the keys for a while, not the focus.
  if (event->reason() != Qt::PopupFocusReason) SetAddMode(false);
  UpdateRow(selection_.Caret());
  if (OnFocusOut && !FocusStaysInWindow(event)) OnFocusOut(*this);
}

}  // namespace mxt::gui
