#pragma once

#include <QAbstractItemDelegate>

namespace mxt::gui {

class FileListView;

// Hands every row to the list view, which draws it by its own rules.
class FileListDelegate : public QAbstractItemDelegate {
 public:
  explicit FileListDelegate(FileListView& list);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  FileListView& list_;
};

}  // namespace mxt::gui
