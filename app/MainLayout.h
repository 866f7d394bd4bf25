#pragma once

#include <vector>

namespace mxt::app {

// A control's place in the main window's client area, in the window's pixels.
struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const Box&, const Box&) = default;
};

// What the main window's layout depends on.
struct LayoutInput {
  int clientWidth = 0;
  int clientHeight = 0;
  bool newShellStyle = true;  // GUIStyle 2; 1 is the classic style
  // The list font is not the default face at 9 points: the computed layout.
  bool customLayout = false;
  // Output-to-file mode: the output list and the arrow are shown.
  bool outputShown = false;
  // ConvListBox keeps its left and top; OutputListBox keeps its left.
  int inputListLeft = 4;
  int inputListTop = 0;
  int inputItemHeight = 16;
  int outputListLeft = 4;
  int outputItemHeight = 16;
  // ConvButton's size, the status line's height and the arrow's size, as they are.
  int buttonWidth = 75;
  int buttonHeight = 25;
  int statusHeight = 22;
  int arrowWidth = 20;
  int arrowHeight = 10;
};

struct LayoutResult {
  bool statusVisible = true;
  Box convButton;
  Box inputList;
  // Only in output-to-file mode.
  Box outputList;
  Box arrow;
};

// The fixed layout, or the computed one for a list font of its own; the lists always
// show whole rows.
LayoutResult ComputeLayout(const LayoutInput& in);

// One line of the conversion arrow; the line leaves out its end point.
struct ArrowLine {
  int x1;
  int y1;
  int x2;
  int y2;
  bool highlight;  // the system's button highlight colour, else its button shadow colour
};

// The conversion arrow in a paint box of the given size: a picture `width` x `height`
// drawn at the box's top left, filled with the window's colour, then these lines.
struct ArrowPicture {
  int width;
  int height;
  std::vector<ArrowLine> lines;
};
ArrowPicture ConvArrowPicture(int boxWidth, int boxHeight);

}  // namespace mxt::app
