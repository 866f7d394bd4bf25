#include "app/DialogPlacement.h"

namespace mxt::app {

Bounds CentredOver(const Bounds& owner, int width, int height) {
  return {owner.left + (owner.width - width) / 2, owner.top + (owner.height - height) / 2, width,
          height};
}

Bounds KeptInside(Bounds bounds, const Rect& workArea) {
  if (bounds.left + bounds.width > workArea.right) bounds.left = workArea.right - bounds.width;
  if (bounds.left < workArea.left) bounds.left = workArea.left;
  if (bounds.top + bounds.height > workArea.bottom) bounds.top = workArea.bottom - bounds.height;
  if (bounds.top < workArea.top) bounds.top = workArea.top;
  return bounds;
}

}  // namespace mxt::app
