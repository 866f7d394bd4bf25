#include "app/ListSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mxt::app {
namespace {

// The selected rows as a string of '*' and '.', one per row.
std::string Marks(const ListSelection& s) {
  std::string marks;
  for (int row = 0; row < s.Count(); ++row)
    marks += s.IsSelected(row) ? '*' : '.';
  return marks;
}

ListSelection ListOf(int count) {
  ListSelection s;
  s.Reset(count);
  return s;
}

TEST(ListSelectionTest, SelectOnlyAndToggleSetTheAnchor) {
  ListSelection s = ListOf(5);
  s.SelectOnly(2);
  EXPECT_EQ(Marks(s), "..*..");
  EXPECT_EQ(s.Caret(), 2);
  EXPECT_EQ(s.Anchor(), 2);
  EXPECT_TRUE(s.AnchorSelects());

  s.Toggle(4);
  EXPECT_EQ(Marks(s), "..*.*");
  EXPECT_EQ(s.Anchor(), 4);
  EXPECT_TRUE(s.AnchorSelects());
  s.Toggle(2);
  EXPECT_EQ(Marks(s), "....*");
  EXPECT_EQ(s.Caret(), 2);
  EXPECT_FALSE(s.AnchorSelects());
}

TEST(ListSelectionTest, ExtendSelectsFromTheAnchorAndDropsTheRest) {
  ListSelection s = ListOf(6);
  s.SelectOnly(4);
  s.Toggle(0);
  s.Extend(2, false);
  EXPECT_EQ(Marks(s), "***...");
  EXPECT_EQ(s.Caret(), 2);
  EXPECT_EQ(s.Anchor(), 0);
  s.Extend(5, false);
  EXPECT_EQ(Marks(s), "******");
}

TEST(ListSelectionTest, ExtendFromADeselectingAnchorLeavesTheRowAloneOrSelectsItAfterAScroll) {
  for (const bool scrolled : {false, true}) {
    ListSelection s = ListOf(6);
    s.SelectOnly(1);
    s.Toggle(3);
    s.Toggle(3);
    ASSERT_FALSE(s.AnchorSelects());
    s.Extend(5, scrolled);
    EXPECT_EQ(Marks(s), scrolled ? ".....*" : "......") << scrolled;
    EXPECT_EQ(s.Anchor(), 3);
  }
}

TEST(ListSelectionTest, AddModeExtendsWithTheAnchorsStateAndKeepsOtherRows) {
  ListSelection s = ListOf(7);
  s.SelectOnly(0);
  s.SetAddMode(true);
  s.KeyMove(3, false, false, false);
  EXPECT_EQ(Marks(s), "*......");
  EXPECT_EQ(s.Caret(), 3);
  s.KeyMove(3, false, true, false);
  EXPECT_EQ(Marks(s), "*..*...");
  s.KeyMove(5, true, false, false);
  EXPECT_EQ(Marks(s), "*..***.");

  s.KeyMove(4, false, true, false);
  ASSERT_FALSE(s.AnchorSelects());
  s.KeyMove(6, true, false, false);
  EXPECT_EQ(Marks(s), "*..*...");
  s.KeyMove(1, false, false, false);
  EXPECT_EQ(Marks(s), "*..*...");
  EXPECT_EQ(s.Caret(), 1);
}

TEST(ListSelectionTest, ClickKeysPickTheOperation) {
  ListSelection s = ListOf(5);
  s.Click(1, false, false);
  s.Click(3, false, true);
  EXPECT_EQ(Marks(s), ".*.*.");
  s.Click(4, true, false);
  EXPECT_EQ(Marks(s), "...**");
  s.Click(0, true, true);
  EXPECT_EQ(Marks(s), "****.");
  s.Click(2, false, false);
  EXPECT_EQ(Marks(s), "..*..");
}

TEST(ListSelectionTest, ShiftDownOnTheLastRowStaysThereAndKeepsTheRange) {
  ListSelection s = ListOf(4);
  s.SelectOnly(1);
  s.KeyMove(3, true, false, false);
  const std::optional<int> target = KeyTarget(ListKey::Down, s.Caret(), s.Count(), 10);
  ASSERT_EQ(target, 3);
  s.TakeFlippedRows();
  s.KeyMove(*target, true, false, false);
  EXPECT_EQ(s.Caret(), 3);
  EXPECT_EQ(Marks(s), ".***");
  EXPECT_TRUE(s.TakeFlippedRows().empty());
}

TEST(ListSelectionTest, OnlyRowsThatChangedAreReported) {
  ListSelection s = ListOf(6);
  s.SelectOnly(1);
  EXPECT_EQ(s.TakeFlippedRows(), std::vector<int>{1});
  s.Extend(3, false);
  s.Extend(2, false);
  EXPECT_EQ(s.TakeFlippedRows(), (std::vector<int>{2, 3}));
  s.SelectOnly(5);
  EXPECT_EQ(s.TakeFlippedRows(), (std::vector<int>{1, 2, 5}));
}

TEST(ListSelectionTest, RowsInsertedBeforeTheCaretMoveItAlong) {
  ListSelection s = ListOf(3);
  s.SelectOnly(1);
  s.TakeFlippedRows();
  s.InsertRows(0, 2);
  EXPECT_EQ(Marks(s), "...*.");
  EXPECT_EQ(s.Caret(), 3);
  EXPECT_EQ(s.Anchor(), 3);
  s.InsertRows(5, 1);
  EXPECT_EQ(Marks(s), "...*..");
  EXPECT_EQ(s.Caret(), 3);

  ListSelection empty = ListOf(0);
  empty.InsertRows(0, 4);
  EXPECT_EQ(empty.Caret(), 0);
  EXPECT_EQ(empty.Count(), 4);
}

TEST(ListSelectionTest, KeyTargets) {
  using K = ListKey;
  const struct {
    ListKey key;
    int caret, count, pageRows;
    std::optional<int> target;
  } cases[] = {
      {K::Space, 2, 5, 10, 2},
      {K::Up, 2, 5, 10, 1},
      {K::Up, 0, 5, 10, 0},
      {K::Down, 2, 5, 10, 3},
      {K::Down, 4, 5, 10, 4},
      {K::Home, 3, 5, 10, 0},
      {K::End, 1, 5, 10, 4},
      {K::PageDown, 0, 3, 10, 2},
      {K::PageDown, 0, 30, 10, 9},
      {K::PageDown, 29, 30, 10, 29},
      {K::PageUp, 20, 30, 10, 11},
      {K::PageUp, 5, 30, 10, 0},
      {K::PageUp, 0, 30, 10, 0},
      {K::PageDown, 5, 30, 1, 5},
      {K::Home, 0, 0, 10, std::nullopt},
      {K::Space, 0, 0, 10, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyTarget(c.key, c.caret, c.count, c.pageRows), c.target)
        << int(c.key) << " caret " << c.caret << " of " << c.count << " page " << c.pageRows;
  }
}

TEST(ListSelectionTest, TypeAheadWrapsRoundToTheCaret) {
  const std::vector<std::string> names = {"beta.txt", "alpha.txt", "Bravo.txt", "_x", "7z"};
  const auto first = [&](int row) { return names[static_cast<std::size_t>(row)].front(); };
  const int count = static_cast<int>(names.size());
  EXPECT_EQ(TypeAheadTarget('b', 0, count, first), 2);
  EXPECT_EQ(TypeAheadTarget('B', 2, count, first), 0);
  EXPECT_EQ(TypeAheadTarget('a', 1, count, first), 1);
  EXPECT_EQ(TypeAheadTarget('_', 4, count, first), 3);
  EXPECT_EQ(TypeAheadTarget('7', 0, count, first), 4);
  EXPECT_EQ(TypeAheadTarget('c', 0, count, first), std::nullopt);
  EXPECT_EQ(TypeAheadTarget('b', 0, 0, first), std::nullopt);
}

TEST(ListSelectionTest, TypeAheadCharacters) {
  for (const char ch : std::string(" !#$%&'()-0123456789@ABCXYZabcxyz_{}~")) {
    EXPECT_TRUE(IsTypeAheadCharacter(ch)) << ch;
  }
  for (const char ch : std::string("*\"+,./:;<=>?[\\]^`|\t\x1b\x7f\xe3")) {
    EXPECT_FALSE(IsTypeAheadCharacter(ch)) << int(ch);
  }
  const auto star = [](int) { return '*'; };
  EXPECT_EQ(TypeAheadTarget('*', 0, 3, star), std::nullopt);
}

TEST(ListSelectionTest, ADragNeedsMoreThanTheDistanceInOneDirection) {
  EXPECT_FALSE(BeyondDragDistance(12, 12, 12));
  EXPECT_FALSE(BeyondDragDistance(-12, 0, 12));
  EXPECT_TRUE(BeyondDragDistance(13, 0, 12));
  EXPECT_TRUE(BeyondDragDistance(0, -13, 12));
  EXPECT_TRUE(BeyondDragDistance(-13, 2, 12));
}

}  // namespace
}  // namespace mxt::app
