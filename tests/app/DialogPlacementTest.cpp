#include "app/DialogPlacement.h"

#include <gtest/gtest.h>

namespace mxt::app {
namespace {

TEST(DialogPlacementTest, ADialogIsCentredOverItsOwnerTruncatingTowardZero) {
  EXPECT_EQ(CentredOver({100, 50, 429, 300}, 337, 214), (Bounds{146, 93, 337, 214}));
  // A dialog wider than its owner: (100 - 105) / 2 is -2, not -3.
  EXPECT_EQ(CentredOver({10, 10, 100, 100}, 105, 105), (Bounds{8, 8, 105, 105}));
}

TEST(DialogPlacementTest, TheWorkAreaHoldsTheDialogAndItsLeftAndTopEdgesWin) {
  const Rect work{0, 30, 800, 600};
  struct Case {
    Bounds given;
    Bounds kept;
  } cases[] = {
      {{100, 100, 337, 214}, {100, 100, 337, 214}}, {{700, 500, 337, 214}, {463, 386, 337, 214}},
      {{-150, -40, 337, 214}, {0, 30, 337, 214}},   {{-150, 0, 900, 700}, {0, 30, 900, 700}},
      {{500, 200, 900, 700}, {0, 30, 900, 700}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(KeptInside(c.given, work), c.kept) << c.given.left << "," << c.given.top;
}

}  // namespace
}  // namespace mxt::app
