#pragma once

#include <QAbstractListModel>

#include "fileconv/FileList.h"
#include "fileconv/RunHost.h"

namespace mxt::gui {

// One of the two lists of a FileList as rows: the input files, or the one output file. The
// lists change through the FileList; the model is told afterwards.
class FileListModel : public QAbstractListModel {
 public:
  // The entry's RunResult, as an int.
  static constexpr int StateRole = Qt::UserRole + 1;

  FileListModel(const fileconv::FileList& files, fileconv::ListId list, QObject* parent = nullptr);

  fileconv::ListId List() const { return list_; }
  // Null past the end of the list.
  const fileconv::FileEntry* Entry(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Entries were appended to the list.
  void EntriesAdded();
  // The list was emptied or its entries replaced.
  void EntriesReset();
  // One entry's result or picture changed: only its row is drawn again.
  void EntryChanged(int row);

 private:
  int SourceCount() const;

  const fileconv::FileList& files_;
  fileconv::ListId list_;
  int rows_ = 0;
};

}  // namespace mxt::gui
