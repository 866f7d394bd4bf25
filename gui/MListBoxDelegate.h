#pragma once

#include <QAbstractItemDelegate>

namespace mxt::gui {

class TMXTListBox;

// Hands every row to the list box, which draws it by its own rules.
class ListBoxDelegate : public QAbstractItemDelegate {
 public:
  explicit ListBoxDelegate(TMXTListBox& list);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  TMXTListBox& list_;
};

}  // namespace mxt::gui
