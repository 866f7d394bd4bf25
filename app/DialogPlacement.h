#pragma once

#include "app/SettingsWindow.h"

namespace mxt::app {

// A dialog of `width` x `height` centred over its owner's bounds.
Bounds CentredOver(const Bounds& owner, int width, int height);

// The bounds moved, not resized, into the work area; where the dialog is larger than the
// work area, its left and top edges stay inside.
Bounds KeptInside(Bounds bounds, const Rect& workArea);

}  // namespace mxt::app
