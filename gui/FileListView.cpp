#include "gui/FileListView.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QResizeEvent>

#include "app/ListRowHeight.h"
#include "gui/FileListDelegate.h"

namespace mxt::gui {

FileListView::FileListView(const QString& name, QWidget* parent) : QListView(parent) {
  setObjectName(name);
  // Read by accessibility tools; the list's own code decides what gets selected.
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setItemDelegate(new FileListDelegate(*this));
  // A hold must see the mouse move without its button: the release was lost elsewhere.
  viewport()->setMouseTracking(true);
  ApplyFont();
}

void FileListView::setModel(QAbstractItemModel* model) {
  if (this->model()) this->model()->disconnect(this);
  QListView::setModel(model);
  if (model) {
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { RowsInserted(first, last); });
    // The lists only grow or are emptied; anything else starts the selection afresh.
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FileListView::SyncRows);
    connect(model, &QAbstractItemModel::modelReset, this, &FileListView::SyncRows);
    connect(model, &QAbstractItemModel::layoutChanged, this, &FileListView::SyncRows);
  }
  SyncRows();
}

int FileListView::RowCount() const {
  return model() ? model()->rowCount() : 0;
}

void FileListView::SyncRows() {
  selection_.Reset(RowCount());
  selection_.TakeFlippedRows();
  reportedCaret_ = 0;
  if (selectionModel()) selectionModel()->clear();
  if (RowCount() > 0) {
    selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
  }
}

void FileListView::RowsInserted(int first, int last) {
  const bool wasEmpty = selection_.Count() == 0;
  selection_.InsertRows(first, last - first + 1);
  reportedCaret_ = selection_.Caret();
  if (wasEmpty) {
    selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
  }
}

void FileListView::Mirror() {
  if (RowCount() == 0) return;
  QItemSelection selected;
  QItemSelection deselected;
  for (const int row : selection_.TakeFlippedRows()) {
    const QModelIndex index = model()->index(row, 0);
    (selection_.IsSelected(row) ? selected : deselected).select(index, index);
  }
  selectionModel()->select(deselected, QItemSelectionModel::Deselect);
  selectionModel()->select(selected, QItemSelectionModel::Select);
  const QModelIndex caret = model()->index(selection_.Caret(), 0);
  if (selectionModel()->currentIndex() != caret) {
    selectionModel()->setCurrentIndex(caret, QItemSelectionModel::NoUpdate);
  }
  scrollTo(caret);
  if (selection_.Caret() != reportedCaret_) {
    reportedCaret_ = selection_.Caret();
    if (OnCaretMoved) OnCaretMoved(*this, reportedCaret_);
  }
}

void FileListView::UpdateRow(int row) {
  if (row < RowCount()) update(model()->index(row, 0));
}

void FileListView::SetAddMode(bool on) {
  if (selection_.AddMode() == on) return;
  selection_.SetAddMode(on);
  UpdateRow(selection_.Caret());
}

void FileListView::changeEvent(QEvent* event) {
  QListView::changeEvent(event);
  if (event->type() == QEvent::FontChange) ApplyFont();
}

void FileListView::ApplyFont() {
  const QFontInfo info(font());
  const QFontMetrics metrics(font());
  const app::ListFontFace face = app::ClassifyListFontFace(info.family().toStdString());
  const app::ListRowMetrics row = app::ComputeListRowMetrics(
      face, -info.pixelSize(), metrics.height(), metrics.size(0, QStringLiteral(" ")).height());
  rowHeight_ = row.rowHeight;
  textTopBase_ = row.textTopBase;
  doItemsLayout();
  if (OnFontChanged) OnFontChanged(*this);
  if (hasFocus() && RowCount() > 0 && OnCaretMoved) OnCaretMoved(*this, selection_.Caret());
  FitHeight();
  viewport()->update();
}

void FileListView::SetIntegralHeight(bool on) {
  integralHeight_ = on;
  FitHeight();
}

void FileListView::resizeEvent(QResizeEvent* event) {
  QListView::resizeEvent(event);
  FitHeight();
}

void FileListView::FitHeight() {
  if (!integralHeight_ || fittingHeight_) return;
  const int frame = 2 * frameWidth();
  const int rows = std::max((height() - frame) / rowHeight_, 1);
  const int fitted = rows * rowHeight_ + frame;
  if (fitted == height()) return;
  fittingHeight_ = true;
  resize(width(), fitted);
  fittingHeight_ = false;
}

}  // namespace mxt::gui
