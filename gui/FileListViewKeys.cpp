#include <QGuiApplication>
#include <QKeyEvent>

#include "gui/FileListView.h"

namespace mxt::gui {

namespace {

std::optional<app::ListKey> MovementKey(int key) {
  switch (key) {
    case Qt::Key_Space:
      return app::ListKey::Space;
    case Qt::Key_Left:
    case Qt::Key_Up:
      return app::ListKey::Up;
    case Qt::Key_Right:
    case Qt::Key_Down:
      return app::ListKey::Down;
    case Qt::Key_PageUp:
      return app::ListKey::PageUp;
    case Qt::Key_PageDown:
      return app::ListKey::PageDown;
    case Qt::Key_Home:
      return app::ListKey::Home;
    case Qt::Key_End:
      return app::ListKey::End;
    default:
      return std::nullopt;
  }
}

}  // namespace

void FileListView::keyPressEvent(QKeyEvent* event) {
  event->accept();
  if (hold_.holding) {
    if (event->key() == Qt::Key_Escape) EndHold();
    return;
  }
  const Qt::KeyboardModifiers keys = event->modifiers();
  // Alt goes to the menus, F1 to help and the menu key to the context menu.
  if (keys & Qt::AltModifier || event->key() == Qt::Key_F1 || event->key() == Qt::Key_Menu) {
    event->ignore();
    return;
  }
  const bool shift = keys & Qt::ShiftModifier;
  if (const std::optional<app::ListKey> key = MovementKey(event->key())) {
    const int pageRows = height() / rowHeight_;
    MoveTo(app::KeyTarget(*key, selection_.Caret(), RowCount(), pageRows), shift,
           *key == app::ListKey::Space);
  } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (RowCount() > 0 && OnOpen) OnOpen(*this, selection_.Caret(), shift);
  } else if (event->key() == Qt::Key_F8 && shift) {
    SetAddMode(!selection_.AddMode());
  }
  // The key's character is looked for as well, as a character message would be.
  if (event->text().size() == 1) TypeAhead(event->text().front(), shift);
}

void FileListView::keyReleaseEvent(QKeyEvent* event) {
  if (!hold_.holding) QListView::keyReleaseEvent(event);
}

void FileListView::keyboardSearch(const QString& search) {
  if (search.isEmpty()) return;
  TypeAhead(search.front(), QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
}

bool FileListView::RowFullyVisible(int row) const {
  return viewport()->rect().contains(visualRect(model()->index(row, 0)));
}

void FileListView::MoveTo(std::optional<int> row, bool shift, bool space) {
  if (!row) return;
  selection_.KeyMove(*row, shift, space, !RowFullyVisible(*row));
  Mirror();
}

void FileListView::TypeAhead(QChar ch, bool shift) {
  if (hold_.holding || ch.unicode() > 0x7f) return;
  const auto firstByte = [this](int row) {
    const QString name = model()->index(row, 0).data(Qt::DisplayRole).toString();
    // Only ASCII is ever looked for; any other first character matches nothing.
    return name.isEmpty() || name.front().unicode() > 0x7f ? '\0' : name.front().toLatin1();
  };
  MoveTo(app::TypeAheadTarget(ch.toLatin1(), selection_.Caret(), RowCount(), firstByte), shift,
         false);
}

}  // namespace mxt::gui
