#include "gui/FileListDelegate.h"

#include "gui/FileListView.h"

namespace mxt::gui {

FileListDelegate::FileListDelegate(FileListView& list)
    : QAbstractItemDelegate(&list), list_(list) {}

void FileListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  list_.DrawRow(*painter, option.rect, index.row());
}

QSize FileListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  // The view stretches a row across its width.
  return QSize(1, list_.RowHeight());
}

}  // namespace mxt::gui
