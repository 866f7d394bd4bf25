#pragma once

#include "gui/StickyToolbarButton.h"

namespace mxt::gui {

// The output-to-file button, which can keep its last image for a moment.
class OutputFileButton : public StickyToolbarButton {
 public:
  using StickyToolbarButton::StickyToolbarButton;

  bool PaintSuppressed() const { return paintSuppressed_; }
  // While set nothing is drawn, and what the screen shows of the button stays.
  void SetPaintSuppressed(bool suppressed);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool paintSuppressed_ = false;
};

}  // namespace mxt::gui
