#include "gui/FileListModel.h"

#include "gui/Pictures.h"
#include "gui/SystemText.h"

namespace mxt::gui {

FileListModel::FileListModel(const fileconv::FileList& files, fileconv::ListId list,
                             QObject* parent)
    : QAbstractListModel(parent), files_(files), list_(list), rows_(SourceCount()) {}

int FileListModel::SourceCount() const {
  if (list_ == fileconv::ListId::Output) return files_.Output() ? 1 : 0;
  return static_cast<int>(files_.Inputs().size());
}

const fileconv::FileEntry* FileListModel::Entry(int row) const {
  if (row < 0 || row >= SourceCount()) return nullptr;
  if (list_ == fileconv::ListId::Output) return files_.Output();
  return &files_.Input(static_cast<std::size_t>(row));
}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  const fileconv::FileEntry* entry = Entry(index.row());
  if (!entry || index.row() >= rows_) return {};
  switch (role) {
    case Qt::DisplayRole:
      return FromSystem(entry->Name);
    case Qt::AccessibleDescriptionRole:
      return FromSystem(fileconv::StatusColumns(*entry, list_));
    case Qt::DecorationRole:
      return FileImageIcon(entry->Bitmap);
    case StateRole:
      return static_cast<int>(entry->State);
    default:
      return {};
  }
}

void FileListModel::EntriesAdded() {
  const int count = SourceCount();
  if (count <= rows_) return;
  beginInsertRows(QModelIndex(), rows_, count - 1);
  rows_ = count;
  endInsertRows();
}

void FileListModel::EntriesReset() {
  beginResetModel();
  rows_ = SourceCount();
  endResetModel();
}

void FileListModel::EntryChanged(int row) {
  if (row < 0 || row >= rows_) return;
  const QModelIndex changed = index(row);
  emit dataChanged(changed, changed);
}

}  // namespace mxt::gui
