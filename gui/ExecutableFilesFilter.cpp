#include "gui/ExecutableFilesFilter.h"

#include <QFileSystemModel>

namespace mxt::gui {

// The dialog's own permission filter cannot say this: it hides every readable entry unless
// readable ones are asked for too, and then it shows every file.
bool ExecutableFilesFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (!files) return true;
  const QFileInfo entry = files->fileInfo(files->index(sourceRow, 0, sourceParent));
  return entry.isDir() || entry.isExecutable();
}

}  // namespace mxt::gui
