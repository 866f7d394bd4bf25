#include <QMenu>
#include <QTest>

#include "tests/gui/FileListViewFixture.h"

namespace mxt::gui::testing {
namespace {

using Log = std::vector<std::string>;

class ListBoxKeysTest : public FileListViewFixture {};

TEST_F(ListBoxKeysTest, ArrowsMoveTheSelectionAndShiftExtendsItPastTheLastRow) {
  Add({"a.txt", "b.txt", "c.txt", "d.txt"});
  Show(10);
  Key(Qt::Key_Down);
  EXPECT_EQ(Marks(), ".*..");
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(Marks(), ".***");
  EXPECT_EQ(TakeLog(), (Log{"change 1", "change 2", "change 3"}));
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(list_->Caret(), 3);
  EXPECT_EQ(Marks(), ".***");
  EXPECT_TRUE(TakeLog().empty());
  // Ctrl plays no part.
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(Marks(), "*...");
}

TEST_F(ListBoxKeysTest, PagesAreTheListsWholeHeightInRows) {
  Add({"a", "b", "c"});
  Show(10);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(Marks(), "..*");

  Add({"d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p"});
  Key(Qt::Key_Home);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(list_->Caret(), 9);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(list_->Caret(), 15);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(list_->Caret(), 6);
  EXPECT_EQ(Marks(), "......*.........");
}

TEST_F(ListBoxKeysTest, TypeAheadWrapsToTheFirstMatchAndIgnoresOtherCharacters) {
  Add({"Beta.txt", "alpha.txt", "bravo.txt", "charlie.txt"});
  Show(10);
  QTest::keyClicks(list_, "b");
  EXPECT_EQ(Marks(), "..*.");
  QTest::keyClicks(list_, "b");
  EXPECT_EQ(Marks(), "*...");
  QTest::keyClicks(list_, "*");
  QTest::keyClicks(list_, "z");
  EXPECT_EQ(Marks(), "*...");
  list_->keyboardSearch(QStringLiteral("A"));
  EXPECT_EQ(Marks(), ".*..");
  // Typed with Shift, a capital extends the selection as Shift+arrow would.
  QTest::keyClick(list_, Qt::Key_C, Qt::ShiftModifier);
  EXPECT_EQ(Marks(), ".***");
  EXPECT_EQ(TakeLog(), (Log{"change 2", "change 0", "change 1", "change 3"}));
}

TEST_F(ListBoxKeysTest, ShiftF8AddModeMovesTheCaretAloneAndSpaceToggles) {
  Add({"a", "b", "c", "d", "e"});
  Show(10);
  Key(Qt::Key_Space);
  Key(Qt::Key_F8, Qt::ShiftModifier);
  ASSERT_TRUE(list_->AddMode());
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(Marks(), "*....");
  EXPECT_EQ(list_->Caret(), 2);
  Key(Qt::Key_Space);
  Key(Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(Marks(), "*.***");
  Key(Qt::Key_F8);
  EXPECT_TRUE(list_->AddMode());
  Key(Qt::Key_F8, Qt::ShiftModifier);
  EXPECT_FALSE(list_->AddMode());
  Key(Qt::Key_Up);
  EXPECT_EQ(Marks(), "...*.");

  Key(Qt::Key_F8, Qt::ShiftModifier);
  {
    QMenu menu;  // as the context menu does
    menu.addAction(QStringLiteral("x"));
    menu.popup(list_->mapToGlobal(QPoint(5, 5)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.close();
  }
  EXPECT_TRUE(list_->AddMode()) << "a menu ended add mode";
  Click(0);
  EXPECT_FALSE(list_->AddMode());
  Key(Qt::Key_F8, Qt::ShiftModifier);
  list_->clearFocus();
  EXPECT_FALSE(list_->AddMode());
}

TEST_F(ListBoxKeysTest, EnterOpensTheCaretRowWithShiftAsConv) {
  Key(Qt::Key_Return);
  EXPECT_TRUE(TakeLog().empty());
  Add({"a", "b", "c"});
  Show(10);
  Key(Qt::Key_End);
  TakeLog();
  Key(Qt::Key_Return);
  Key(Qt::Key_Enter, Qt::ShiftModifier);
  EXPECT_EQ(TakeLog(), (Log{"open 2", "open 2 conv"}));
  EXPECT_EQ(Marks(), "..*");
}

// Scrolling keeps the caret in view, and only just.
TEST_F(ListBoxKeysTest, FromADeselectingAnchorShiftSelectsARowOnlyWhenTheListScrolled) {
  Add({"a", "b", "c", "d", "e", "f", "g", "h"});
  Show(4);
  Click(1);
  Click(1, Qt::ControlModifier);
  ASSERT_EQ(Marks(), "........");
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Marks(), "........");
  Key(Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(Marks(), ".......*");
  EXPECT_TRUE(list_->viewport()->rect().contains(list_->visualRect(model_->index(7))));
  EXPECT_EQ(list_->indexAt(QPoint(5, 5)).row(), 4);
}

}  // namespace
}  // namespace mxt::gui::testing
