#include "app/ListRowHeight.h"

#include <gtest/gtest.h>

namespace mxt::app {
namespace {

using F = ListFontFace;

TEST(ListRowHeightTest, RowsForEachFace) {
  constexpr std::optional<int> kNone;
  const struct {
    ListFontFace face;
    int fontHeight;
    std::optional<int> textHeight, spaceHeight;
    int rowHeight, textTopBase;
  } cases[] = {
      {F::Other, -8, 8, kNone, 16, 2},
      {F::Other, -8, kNone, kNone, 16, 2},
      {F::Other, -12, 15, kNone, 16, -2},
      {F::Other, -20, 23, kNone, 24, -2},
      // (10 - 12 - 1) / 2 rounds toward zero to -1, then the 14-pixel row grows by 2.
      {F::Other, -10, 12, kNone, 16, 0},
      {F::System, -12, 16, kNone, 20, 0},
      {F::System, -12, 10, kNone, 16, 1},
      {F::System, -14, kNone, kNone, 18, 0},
      {F::FixedSys, -12, 15, 18, 18, -2},
      {F::FixedSys, -12, 15, 15, 16, -1},
      {F::FixedSys, -14, 15, kNone, 18, 0},
  };
  for (const auto& c : cases) {
    const ListRowMetrics m =
        ComputeListRowMetrics(c.face, c.fontHeight, c.textHeight, c.spaceHeight);
    EXPECT_EQ(m.rowHeight, c.rowHeight) << int(c.face) << " " << c.fontHeight;
    EXPECT_EQ(m.textTopBase, c.textTopBase) << int(c.face) << " " << c.fontHeight;
  }
}

TEST(ListRowHeightTest, FacesAreKnownByNameInAnyCase) {
  EXPECT_EQ(ClassifyListFontFace("System"), F::System);
  EXPECT_EQ(ClassifyListFontFace("@system"), F::System);
  EXPECT_EQ(ClassifyListFontFace("FIXEDSYS"), F::FixedSys);
  EXPECT_EQ(ClassifyListFontFace("@FixedSys"), F::FixedSys);
  EXPECT_EQ(ClassifyListFontFace("Systems"), F::Other);
  EXPECT_EQ(ClassifyListFontFace("@"), F::Other);
  EXPECT_EQ(ClassifyListFontFace("DejaVu Sans"), F::Other);
}

}  // namespace
}  // namespace mxt::app
