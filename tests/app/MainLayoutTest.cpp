#include "app/MainLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

namespace mxt::app {

std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "{" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << "}";
}

namespace {

// The window as it is designed: 428 wide, the lists' rows 16 high, the input list below
// the new-shell toolbar (31 + 4) or the classic one (35 + 4).
LayoutInput Window(int width, int height) {
  LayoutInput in;
  in.clientWidth = width;
  in.clientHeight = height;
  in.inputListTop = 35;
  return in;
}

LayoutInput Classic(LayoutInput in) {
  in.newShellStyle = false;
  in.inputListTop = 39;
  in.statusHeight = 18;
  return in;
}

LayoutInput WithOutput(LayoutInput in) {
  in.outputShown = true;
  return in;
}

// A list font with 20-pixel rows in both lists.
LayoutInput Custom(LayoutInput in) {
  in.customLayout = true;
  in.inputItemHeight = 20;
  in.outputItemHeight = 20;
  return in;
}

TEST(MainLayoutTest, ButtonStatusLineAndInputList) {
  LayoutInput deepList = Window(428, 147);
  deepList.inputListTop = 120;
  const struct {
    const char* name;
    LayoutInput in;
    bool statusVisible;
    Box button, input;
  } cases[] = {
      // The designed form: 254 high, the status line at 232.
      {"designed", Window(428, 254), true, {176, 203, 75, 25}, {4, 35, 420, 164}},
      // A room of 160 holds 9 whole rows of 16, not 9.75.
      {"whole rows", Window(428, 250), true, {176, 199, 75, 25}, {4, 35, 420, 148}},
      {"low new-shell", Window(428, 147), false, {176, 97, 75, 25}, {4, 35, 420, 52}},
      {"low classic", Classic(Window(428, 147)), false, {176, 101, 75, 25}, {4, 39, 420, 52}},
      {"lowest with status", Classic(Window(428, 148)), true, {176, 101, 75, 25}, {4, 39, 420, 52}},
      {"odd width", Window(301, 254), true, {113, 203, 75, 25}, {4, 35, 293, 164}},
      // -15 div 2 is -7, toward zero.
      {"narrower than the button", Window(60, 254), true, {-7, 203, 75, 25}, {4, 35, 52, 164}},
      {"no room for a row", deepList, false, {176, 97, 75, 25}, {4, 120, 420, 4}},
      // Computed: one 20-pixel row needs 20 + 35 + 25 + 22 + 12 = 114.
      {"computed below needed",
       Custom(Window(428, 113)),
       false,
       {176, 63, 75, 25},
       {4, 35, 420, 24}},
      {"computed at needed", Custom(Window(428, 114)), true, {176, 63, 75, 25}, {4, 35, 420, 24}},
      {"computed under 148", Custom(Window(428, 120)), true, {176, 69, 75, 25}, {4, 35, 420, 24}},
  };
  for (const auto& c : cases) {
    const LayoutResult r = ComputeLayout(c.in);
    EXPECT_EQ(r.statusVisible, c.statusVisible) << c.name;
    EXPECT_EQ(r.convButton, c.button) << c.name;
    EXPECT_EQ(r.inputList, c.input) << c.name;
  }
}

TEST(MainLayoutTest, OutputListAndArrowInOutputToFileMode) {
  const struct {
    const char* name;
    LayoutInput in;
    bool statusVisible;
    Box button, input, output, arrow;
  } cases[] = {
      // clang-format off
      // The designed form's own positions: output list at 179, arrow at 204/160.
      {"designed", WithOutput(Window(428, 254)), true,
       {176, 203, 75, 25}, {4, 35, 420, 116}, {4, 179, 420, 20}, {204, 160, 20, 10}},
      {"low", WithOutput(Window(428, 147)), false,
       {176, 97, 75, 25}, {4, 35, 420, 20}, {4, 73, 420, 20}, {204, 59, 20, 10}},
      // Needed: 114 + 20 + 10 + 12 = 156.
      {"computed below needed", Custom(WithOutput(Window(428, 150))), false,
       {176, 105, 75, 25}, {4, 35, 420, 24}, {4, 77, 420, 24}, {204, 63, 20, 10}},
      {"computed at needed", Custom(WithOutput(Window(428, 156))), true,
       {176, 105, 75, 25}, {4, 35, 420, 24}, {4, 77, 420, 24}, {204, 63, 20, 10}},
      // clang-format on
  };
  for (const auto& c : cases) {
    const LayoutResult r = ComputeLayout(c.in);
    EXPECT_EQ(r.statusVisible, c.statusVisible) << c.name;
    EXPECT_EQ(r.convButton, c.button) << c.name;
    EXPECT_EQ(r.inputList, c.input) << c.name;
    EXPECT_EQ(r.outputList, c.output) << c.name;
    EXPECT_EQ(r.arrow, c.arrow) << c.name;
    // The arrow sits in the middle of the gap between the lists.
    const int above = r.arrow.top - (r.inputList.top + r.inputList.height);
    const int below = r.outputList.top - (r.arrow.top + r.arrow.height);
    EXPECT_LE(std::abs(above - below), 1) << c.name;
  }
}

TEST(MainLayoutTest, ArrowPictureSize) {
  const struct {
    int boxWidth, boxHeight, width, height;
  } cases[] = {
      {30, 10, 20, 10}, {21, 10, 20, 10}, {20, 10, 20, 10}, {20, 11, 20, 10},
      {23, 11, 22, 11}, {15, 10, 14, 7},  {9, 10, 8, 4},
  };
  for (const auto& c : cases) {
    const ArrowPicture p = ConvArrowPicture(c.boxWidth, c.boxHeight);
    EXPECT_EQ(p.width, c.width) << c.boxWidth << "x" << c.boxHeight;
    EXPECT_EQ(p.height, c.height) << c.boxWidth << "x" << c.boxHeight;
  }
}

// "x1,y1>x2,y2" per line, "+" for the highlight colour, "-" for the shadow colour.
std::string Lines(const ArrowPicture& p) {
  std::string text;
  for (const ArrowLine& l : p.lines) {
    text += std::to_string(l.x1) + "," + std::to_string(l.y1) + ">" + std::to_string(l.x2) + "," +
            std::to_string(l.y2) + (l.highlight ? "+ " : "- ");
  }
  return text;
}

TEST(MainLayoutTest, ArrowLinesForAWideAndANarrowBox) {
  // Wide: the box's height sets the picture, 20 x 10.
  EXPECT_EQ(Lines(ConvArrowPicture(30, 10)), "0,0>9,9+ 10,9>20,-1+ 9,9>18,0+ 18,0>-1,0- ");
  // Narrow: half the box's width sets it, 14 x 7.
  EXPECT_EQ(Lines(ConvArrowPicture(15, 10)), "0,0>6,6+ 7,6>14,-1+ 6,6>12,0+ 12,0>-1,0- ");
}

}  // namespace
}  // namespace mxt::app
