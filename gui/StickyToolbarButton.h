#pragma once

#include "gui/ToolbarButton.h"

namespace mxt::gui {

// A group button that ignores presses while it is down, so clicking the chosen one
// neither flickers nor clicks.
class StickyToolbarButton : public ToolbarButton {
 public:
  using ToolbarButton::ToolbarButton;

 protected:
  bool event(QEvent* event) override;
};

}  // namespace mxt::gui
