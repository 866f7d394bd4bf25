#pragma once

#include <QListView>
#include <cstdint>
#include <functional>

#include "app/ListSelection.h"

class QPainter;

namespace mxt::gui {

// The file list of the main window: fixed rows drawn by its owner, a multiple selection
// with an add mode worked by its own rules, and a hold after a press from which the
// selected files are dragged out. The rows come from a model (FileListModel) whose
// DisplayRole is the entry's name.
class FileListView : public QListView {
 public:
  // Bits of a row's drawing state.
  static constexpr std::uint8_t kSelected = 1;
  // The caret row of the focused list: the control draws the focus rectangle over it.
  static constexpr std::uint8_t kDrawFocus = 2;

  using NotifyEvent = std::function<void(FileListView& sender)>;
  using MayDragEvent = std::function<void(FileListView& sender, bool& allowDragDrop)>;
  // `dest` is moved and clipped to the row: `itemRect` is (0, 0, row width, row height).
  // Pen, font and background are the row's: selected rows in the highlight colours,
  // entries being converted in bold.
  using DrawRowEvent = std::function<void(FileListView& sender, int index, QPainter& dest,
                                          const QRect& itemRect, std::uint8_t state)>;
  using CaretMovedEvent = std::function<void(FileListView& sender, int index)>;
  using OpenEvent = std::function<void(FileListView& sender, int index, bool conv)>;

  // `name` is the object name and the accessible name.
  explicit FileListView(const QString& name, QWidget* parent = nullptr);

  // A press on a row starts holding the mouse.
  NotifyEvent OnHoldStarted;
  // The held mouse moved far enough: a file drag starts.
  NotifyEvent OnDragOut;
  // The hold ended, however it ended.
  NotifyEvent OnHoldEnded;
  // Asked at a press on a row; false forbids the hold and the drag.
  MayDragEvent OnMayDrag;
  DrawRowEvent OnDrawRow;
  // The caret moved to another row.
  CaretMovedEvent OnCaretMoved;
  // Enter or a double click on a row; `conv` is whether Shift was held.
  OpenEvent OnOpen;
  // The font changed and the row height followed it.
  NotifyEvent OnFontChanged;
  // The list gained or lost the keyboard focus.
  NotifyEvent OnFocusIn;
  NotifyEvent OnFocusOut;

  bool IntegralHeight() const { return integralHeight_; }
  // The control's height is kept a whole number of rows.
  void SetIntegralHeight(bool on);
  int DragDistance() const { return dragDistance_; }
  void SetDragDistance(int pixels) { dragDistance_ = pixels; }
  int RowHeight() const { return rowHeight_; }
  // A row's text begins TextTopBase + 2 pixels below the row's top.
  int TextTopBase() const { return textTopBase_; }

  int Caret() const { return selection_.Caret(); }
  bool AddMode() const { return selection_.AddMode(); }
  bool IsRowSelected(int row) const { return selection_.IsSelected(row); }
  bool Holding() const { return hold_.holding; }
  bool Dragging() const { return hold_.dragging; }
  // Whether more than one row was selected when the hold began.
  bool SeveralSelected() const { return hold_.several; }

  void setModel(QAbstractItemModel* model) override;
  void keyboardSearch(const QString& search) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class FileListDelegate;

  struct Hold {
    bool holding = false;
    bool dragging = false;
    bool several = false;
    int row = -1;
    bool shift = false;
    bool ctrl = false;
    QPoint pressPoint;
    bool wasSelected = false;
  };

  // FileListView.cpp
  int RowCount() const;
  void SyncRows();
  void RowsInserted(int first, int last);
  // Puts the selection's changes into the selection model, keeps the caret in view and
  // tells of a caret that moved.
  void Mirror();
  void UpdateRow(int row);
  void SetAddMode(bool on);
  void ApplyFont();
  void FitHeight();

  // FileListViewDraw.cpp
  void DrawRow(QPainter& painter, const QRect& rect, int row);
  void DrawFocusRect(QPainter& painter, const QRect& rect) const;

  // FileListViewKeys.cpp
  bool RowFullyVisible(int row) const;
  void MoveTo(std::optional<int> row, bool shift, bool space);
  void TypeAhead(QChar ch, bool shift);

  // FileListViewMouse.cpp
  void PressRow(int row, Qt::KeyboardModifiers keys);
  void ApplyClick();
  void EndHold();

  app::ListSelection selection_;
  Hold hold_;
  int reportedCaret_ = 0;
  bool integralHeight_ = true;
  bool fittingHeight_ = false;
  int dragDistance_ = 12;
  int rowHeight_ = 16;
  int textTopBase_ = 0;
};

}  // namespace mxt::gui
