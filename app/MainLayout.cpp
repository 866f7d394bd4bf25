#include "app/MainLayout.h"

#include <algorithm>

namespace mxt::app {

namespace {

// The fixed layout's button position when the window is too low for the status line.
constexpr int kLowClientHeight = 148;
constexpr int kLowButtonTopNewShell = 97;
constexpr int kLowButtonTopClassic = 101;

int Centered(int clientWidth, int width) {
  return (clientWidth - width) / 2;
}

// The room the status line and the lists need in the computed layout.
int NeededHeight(const LayoutInput& in) {
  int needed = in.inputItemHeight + in.inputListTop + in.buttonHeight + in.statusHeight + 12;
  if (in.outputShown) needed += in.outputItemHeight + in.arrowHeight + 12;
  return needed;
}

int ButtonAboveStatusLine(const LayoutInput& in) {
  return in.clientHeight - in.statusHeight - 4 - in.buttonHeight;
}

// Whether the status line shows, and where the convert button's top goes.
void PlaceButton(const LayoutInput& in, LayoutResult& out) {
  int top = 0;
  if (in.customLayout) {
    const int needed = NeededHeight(in);
    out.statusVisible = in.clientHeight >= needed;
    top = out.statusVisible ? ButtonAboveStatusLine(in)
                            : needed - in.statusHeight - in.buttonHeight - 4;
  } else {
    out.statusVisible = in.clientHeight >= kLowClientHeight;
    if (out.statusVisible) {
      top = ButtonAboveStatusLine(in);
    } else {
      top = in.newShellStyle ? kLowButtonTopNewShell : kLowButtonTopClassic;
    }
  }
  out.convButton = {Centered(in.clientWidth, in.buttonWidth), top, in.buttonWidth, in.buttonHeight};
}

void PlaceLists(const LayoutInput& in, LayoutResult& out) {
  int room = 0;
  if (in.outputShown) {
    const int outputTop = out.convButton.top - in.outputItemHeight - 8;
    out.outputList = {in.outputListLeft, outputTop, in.clientWidth - 8, in.outputItemHeight + 4};
    room = outputTop - in.arrowHeight - in.inputListTop - 8;
  } else {
    room = out.convButton.top - in.inputListTop - 4;
  }
  // A window lower than one row keeps an empty list rather than one of negative height.
  const int rows = std::max(0, (room - 4) / in.inputItemHeight);
  out.inputList = {in.inputListLeft, in.inputListTop, in.clientWidth - 8,
                   rows * in.inputItemHeight + 4};
}

// Halfway between the bottom of the input list and the top of the output list.
void PlaceArrow(const LayoutInput& in, LayoutResult& out) {
  const int gapEdges = out.outputList.top + out.inputList.top + out.inputList.height;
  out.arrow = {Centered(in.clientWidth, in.arrowWidth), (gapEdges - in.arrowHeight) / 2,
               in.arrowWidth, in.arrowHeight};
}

}  // namespace

LayoutResult ComputeLayout(const LayoutInput& in) {
  LayoutResult out;
  PlaceButton(in, out);
  PlaceLists(in, out);
  if (in.outputShown) PlaceArrow(in, out);
  return out;
}

ArrowPicture ConvArrowPicture(int boxWidth, int boxHeight) {
  const int h = boxWidth > 2 * boxHeight ? boxHeight : boxWidth / 2;
  const int w = 2 * h;
  const int mid = w / 2;
  return {w,
          h,
          {
              {0, 0, mid - 1, h - 1, true},
              {mid, h - 1, w, -1, true},
              {mid - 1, h - 1, w - 2, 0, true},
              {w - 2, 0, -1, 0, false},
          }};
}

}  // namespace mxt::app
