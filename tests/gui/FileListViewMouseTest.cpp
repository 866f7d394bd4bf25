#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "tests/gui/FileListViewFixture.h"

namespace mxt::gui::testing {
namespace {

using Log = std::vector<std::string>;

class ListBoxMouseTest : public FileListViewFixture {
 protected:
  // Rows 1 to 3 of six selected, the caret on 3.
  void SelectMiddle() {
    Add({"a", "b", "c", "d", "e", "f"});
    Show(10);
    Click(1);
    Click(3, Qt::ShiftModifier);
    ASSERT_EQ(Marks(), ".***..");
    TakeLog();
  }
  bool DragCursorShown() const { return list_->viewport()->testAttribute(Qt::WA_SetCursor); }
};

TEST_F(ListBoxMouseTest, AClickOnTheSelectionTakesEffectAtTheRelease) {
  SelectMiddle();
  Press(2);
  EXPECT_TRUE(list_->Holding());
  EXPECT_TRUE(list_->SeveralSelected());
  EXPECT_EQ(Marks(), ".***..");
  Release(2);
  EXPECT_EQ(Marks(), "..*...");
  EXPECT_EQ(TakeLog(), (Log{"capture", "change 2", "end"}));
}

// A right click while a row is held is swallowed: no menu comes up and the hold goes on.
// Only a click through the window makes the toolkit ask for a menu.
TEST_F(ListBoxMouseTest, ARightClickDuringAHoldBringsNoMenu) {
  SelectMiddle();
  int menus = 0;
  window_->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(window_.get(), &QWidget::customContextMenuRequested, [&] { ++menus; });
  const QPoint at = list_->viewport()->mapTo(window_.get(), RowPoint(4));
  Press(2);
  QTest::mouseClick(window_->windowHandle(), Qt::RightButton, Qt::NoModifier, at);
  EXPECT_EQ(menus, 0);
  EXPECT_TRUE(list_->Holding());
  Release(2);
  EXPECT_EQ(Marks(), "..*...");
  QTest::mouseClick(window_->windowHandle(), Qt::RightButton, Qt::NoModifier, at);
  EXPECT_EQ(menus, 1) << "a right click without a hold asks for the menu";
}

TEST_F(ListBoxMouseTest, AClickOutsideTheSelectionTakesEffectAtThePress) {
  SelectMiddle();
  Press(5, Qt::ControlModifier);
  EXPECT_EQ(Marks(), ".***.*");
  EXPECT_TRUE(list_->Holding());
  Release(5);
  EXPECT_EQ(Marks(), ".***.*");
  // Ctrl on a selected row deselects it, at the release.
  Click(2, Qt::ControlModifier);
  EXPECT_EQ(Marks(), ".*.*.*");
  EXPECT_EQ(TakeLog(), (Log{"change 5", "capture", "end", "capture", "change 2", "end"}));
}

TEST_F(ListBoxMouseTest, ADragStartsBeyondTheDragDistanceWhichCanBeChanged) {
  SelectMiddle();
  Press(1);
  MoveBy(1, 12, -12);
  EXPECT_FALSE(list_->Dragging());
  EXPECT_FALSE(DragCursorShown());
  MoveBy(1, 0, 13);
  EXPECT_TRUE(list_->Dragging());
  EXPECT_TRUE(DragCursorShown());
  EXPECT_EQ(list_->viewport()->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(TakeLog(), (Log{"capture", "drag"}));
  Release(1, 0, 13);
  EXPECT_FALSE(list_->Holding());
  EXPECT_FALSE(DragCursorShown());
  // A drag leaves the selection as it was.
  EXPECT_EQ(Marks(), ".***..");
  EXPECT_EQ(TakeLog(), Log{"end"});
  list_->SetDragDistance(3);
  Press(1);
  MoveBy(1, -4, 0);
  EXPECT_TRUE(list_->Dragging());
}

TEST_F(ListBoxMouseTest, EscapeEndsTheHoldAndTheDragOrClicks) {
  SelectMiddle();
  Press(2);
  MoveBy(2, 20, 0);
  ASSERT_TRUE(list_->Dragging());
  Key(Qt::Key_Down);
  QTest::keyClicks(list_, "a");
  EXPECT_EQ(Marks(), ".***..");
  Key(Qt::Key_Escape);
  EXPECT_FALSE(list_->Holding());
  EXPECT_FALSE(list_->Dragging());
  EXPECT_FALSE(DragCursorShown());
  Release(2, 20, 0);
  EXPECT_EQ(Marks(), ".***..");
  EXPECT_EQ(TakeLog(), (Log{"capture", "drag", "end"}));
  // Before a drag, Escape ends the hold as a click.
  Press(2);
  Key(Qt::Key_Escape);
  EXPECT_FALSE(list_->Holding());
  EXPECT_EQ(Marks(), "..*...");
}

TEST_F(ListBoxMouseTest, ARefusedDragStillSelectsAtThePress) {
  SelectMiddle();
  allowDragDrop_ = false;
  Press(5);
  EXPECT_EQ(Marks(), ".....*");
  EXPECT_FALSE(list_->Holding());
  Release(5);
  Press(5, Qt::ShiftModifier);
  EXPECT_EQ(Marks(), ".....*");
  Press(2, Qt::ShiftModifier);
  EXPECT_EQ(Marks(), "..****");
  Press(3);
  EXPECT_EQ(Marks(), "...*..");
  EXPECT_EQ(TakeLog(), (Log{"change 5", "change 2", "change 3"}));
}

TEST_F(ListBoxMouseTest, AButtonLostOutsideTheListEndsTheHold) {
  SelectMiddle();
  Press(2);
  QMouseEvent lost(QEvent::MouseMove, RowPoint(2, 30, 0),
                   list_->viewport()->mapToGlobal(RowPoint(2, 30, 0)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(list_->viewport(), &lost);
  EXPECT_FALSE(list_->Holding());
  EXPECT_EQ(TakeLog(), (Log{"capture", "change 2", "end"}));
  QTest::mouseRelease(list_->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(2, 30, 0));
}

// Other buttons and presses below the rows change nothing; a double click opens its row.
TEST_F(ListBoxMouseTest, ADoubleClickOpensTheRowWithoutSelectingItAndOtherButtonsDoNothing) {
  SelectMiddle();
  QTest::mouseClick(list_->viewport(), Qt::RightButton, Qt::NoModifier, RowPoint(5));
  QTest::mouseClick(list_->viewport(), Qt::MiddleButton, Qt::NoModifier, RowPoint(0));
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(5, 0, 48));
  EXPECT_EQ(Marks(), ".***..");
  EXPECT_TRUE(TakeLog().empty());
  QTest::mouseDClick(list_->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(5));
  QTest::mouseDClick(list_->viewport(), Qt::LeftButton, Qt::ShiftModifier, RowPoint(0));
  QTest::mouseDClick(list_->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(5, 0, 48));
  EXPECT_EQ(Marks(), ".***..");
  EXPECT_EQ(TakeLog(), (Log{"open 5", "open 0 conv"}));
}

TEST_F(ListBoxMouseTest, TheSecondPressOfADoubleClickDoesNotClickAgain) {
  SelectMiddle();
  Click(5, Qt::ControlModifier);
  Press(5, Qt::ControlModifier);
  QTest::mouseDClick(list_->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(5));
  Release(5);
  EXPECT_EQ(Marks(), ".***.*");
  EXPECT_EQ(TakeLog(), (Log{"change 5", "capture", "end", "capture", "open 5", "end"}));
}

TEST_F(ListBoxMouseTest, LosingTheFocusEndsTheHold) {
  SelectMiddle();
  Press(3);
  MoveBy(3, 0, 40);
  list_->clearFocus();
  EXPECT_FALSE(list_->Holding());
  EXPECT_FALSE(DragCursorShown());
  EXPECT_EQ(TakeLog(), (Log{"capture", "drag", "end", "exit"}));
  Click(0);
  EXPECT_EQ(TakeLog(), (Log{"enter", "change 0", "capture", "end"}));
}

}  // namespace
}  // namespace mxt::gui::testing
