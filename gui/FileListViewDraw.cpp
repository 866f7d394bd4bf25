#include <QPainter>
#include <QStyleOptionViewItem>

#include "gui/FileListModel.h"
#include "gui/FileListView.h"

namespace mxt::gui {

void FileListView::DrawRow(QPainter& painter, const QRect& rect, int row) {
  const bool selected = selection_.IsSelected(row);
  const bool focus = row == selection_.Caret() && hasFocus();
  const std::uint8_t state = (selected ? kSelected : 0) | (focus ? kDrawFocus : 0);
  const QModelIndex index = model()->index(row, 0);

  painter.save();
  painter.fillRect(rect, palette().color(selected ? QPalette::Highlight : QPalette::Base));
  painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
  QFont rowFont = font();
  if (index.data(FileListModel::StateRole).toInt() ==
      static_cast<int>(fileconv::RunResult::Ready)) {
    rowFont.setBold(true);
  }
  painter.setFont(rowFont);
  painter.translate(rect.topLeft());
  const QRect itemRect(QPoint(0, 0), rect.size());
  painter.setClipRect(itemRect);
  if (OnDrawRow) {
    OnDrawRow(*this, row, painter, itemRect, state);
  } else {
    painter.drawText(2, textTopBase_ + 2 + painter.fontMetrics().ascent(),
                     index.data(Qt::DisplayRole).toString());
  }
  painter.restore();
  if (focus) DrawFocusRect(painter, rect);
}

void FileListView::DrawFocusRect(QPainter& painter, const QRect& rect) const {
  painter.save();
  // A dotted frame that shows on the highlight and on the window colour alike.
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  painter.restore();
}

}  // namespace mxt::gui
