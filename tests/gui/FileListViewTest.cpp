#include "gui/FileListView.h"

#include <QAccessible>
#include <QPainter>
#include <QTest>

#include "fileconv/FileList.h"
#include "tests/gui/FileListViewFixture.h"

namespace mxt::gui::testing {
namespace {

using fileconv::RunResult;
using Log = std::vector<std::string>;

class ListBoxTest : public FileListViewFixture {
 protected:
  struct Drawn {
    int index;
    QRect itemRect;
    std::uint8_t state;
    bool bold;
    QColor pen;
  };

  // Paints the list and returns what the drawing event was given.
  std::vector<Drawn> Paint() {
    std::vector<Drawn> drawn;
    list_->OnDrawRow = [&](FileListView&, int index, QPainter& dest, const QRect& rect,
                           std::uint8_t state) {
      drawn.push_back({index, rect, state, dest.font().bold(), dest.pen().color()});
    };
    list_->viewport()->grab();
    list_->OnDrawRow = nullptr;
    return drawn;
  }

  int FontChanges() { return static_cast<int>(std::count(log_.begin(), log_.end(), "font")); }
};

TEST_F(ListBoxTest, RowsFollowTheFontButNeverGetLowerThanTheIcons) {
  list_->OnFontChanged = [this](FileListView&) { log_.push_back("font"); };
  Add({"a", "b"});
  Show(4);
  QFont font = list_->font();
  font.setPixelSize(8);
  list_->setFont(font);
  EXPECT_EQ(list_->RowHeight(), 16);
  EXPECT_GE(list_->TextTopBase(), 1);
  font.setPixelSize(30);
  list_->setFont(font);
  EXPECT_EQ(list_->RowHeight(), 34);
  EXPECT_EQ(list_->TextTopBase(), (30 - QFontMetrics(font).height() - 1) / 2);
  EXPECT_EQ(list_->visualRect(model_->index(1)).top(), 34);
  EXPECT_EQ(list_->visualRect(model_->index(1)).height(), 34);
  EXPECT_EQ((list_->height() - 2 * list_->frameWidth()) % 34, 0);
  EXPECT_EQ(FontChanges(), 2);
  // With the focus on a list that has rows, the window hears of the caret row again.
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "change 0"), 2);
}

TEST_F(ListBoxTest, TheHeightIsAWholeNumberOfRows) {
  Show(5);
  const int frame = 2 * list_->frameWidth();
  list_->resize(200, 7 * 16 + frame + 9);
  EXPECT_EQ(list_->height(), 7 * 16 + frame);
  list_->resize(200, 3);
  EXPECT_EQ(list_->height(), 16 + frame);
  list_->SetIntegralHeight(false);
  list_->resize(200, 7 * 16 + frame + 9);
  EXPECT_EQ(list_->height(), 7 * 16 + frame + 9);
}

TEST_F(ListBoxTest, EachRowIsDrawnByTheEventWithItsState) {
  Add({"a", "b", "c"});
  files_.Input(2).State = RunResult::Ready;
  Show(5);
  Click(1);
  std::vector<Drawn> drawn = Paint();
  ASSERT_EQ(drawn.size(), 3u);
  const QRect row(0, 0, list_->viewport()->width(), 16);
  for (const Drawn& d : drawn)
    EXPECT_EQ(d.itemRect, row) << d.index;
  EXPECT_EQ(drawn[0].state, 0);
  EXPECT_EQ(drawn[1].state, FileListView::kSelected | FileListView::kDrawFocus);
  EXPECT_EQ(drawn[1].pen, list_->palette().color(QPalette::HighlightedText));
  EXPECT_EQ(drawn[0].pen, list_->palette().color(QPalette::Text));
  EXPECT_FALSE(drawn[1].bold);
  EXPECT_TRUE(drawn[2].bold);

  list_->clearFocus();
  drawn = Paint();
  EXPECT_EQ(drawn[1].state, FileListView::kSelected);
}

TEST_F(ListBoxTest, WithoutTheDrawingEventTheNameIsWritten) {
  Add({"a.txt"});
  Show(2);
  const QImage plain = list_->viewport()->grab().toImage();
  Key(Qt::Key_Space);
  const QImage selected = list_->viewport()->grab().toImage();
  const QColor highlight = list_->palette().color(QPalette::Highlight);
  EXPECT_EQ(selected.pixelColor(selected.width() - 3, 8), highlight);
  EXPECT_NE(plain.pixelColor(plain.width() - 3, 8), highlight);
  // Some text colour lies among the first pixels of the row.
  bool written = false;
  const QColor base = list_->palette().color(QPalette::Base);
  for (int x = 2; x < 20 && !written; ++x) {
    for (int y = 2; y < 14 && !written; ++y)
      written = plain.pixelColor(x, y) != base;
  }
  EXPECT_TRUE(written);
}

TEST_F(ListBoxTest, AddedRowsKeepTheSelectionAndAClearedListStartsAfresh) {
  Add({"a", "b"});
  Show(5);
  Click(1);
  Add({"c", "d"});
  EXPECT_EQ(Marks(), ".*..");
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Marks(), ".**.");
  files_.Clear();
  model_->EntriesReset();
  EXPECT_EQ(Marks(), "");
  Key(Qt::Key_Down);
  Add({"e", "f"});
  EXPECT_EQ(list_->Caret(), 0);
  Key(Qt::Key_Down);
  EXPECT_EQ(Marks(), ".*");
}

TEST_F(ListBoxTest, RowsAreReadableByAccessibilityTools) {
  Add({"a.txt", "b.txt"});
  files_.Input(0).State = RunResult::Converted;
  files_.Input(0).Code = 0x11;
  files_.Input(1).State = RunResult::Skipped;
  files_.Input(1).Reason = fileconv::SkipReason::Empty;
  Show(4);
  Key(Qt::Key_End);
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list_);
  ASSERT_NE(iface, nullptr);
  ASSERT_EQ(iface->childCount(), 2);
  QAccessibleInterface* first = iface->child(0);
  QAccessibleInterface* second = iface->child(1);
  EXPECT_EQ(first->text(QAccessible::Name), QStringLiteral("a.txt"));
  EXPECT_EQ(first->text(QAccessible::Description), QStringLiteral("Converted:\tShift-JIS to EUC"));
  EXPECT_EQ(second->text(QAccessible::Description), QStringLiteral("Skipped:\tFile is empty."));
  EXPECT_FALSE(first->state().selected);
  EXPECT_TRUE(second->state().selected);
  EXPECT_TRUE(second->state().focused);
  EXPECT_FALSE(first->state().focused);
}

}  // namespace
}  // namespace mxt::gui::testing
