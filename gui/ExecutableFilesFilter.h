#pragma once

#include <QSortFilterProxyModel>

namespace mxt::gui {

// Shows a file dialog's folders and only the files this user may run.
class ExecutableFilesFilter : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};

}  // namespace mxt::gui
