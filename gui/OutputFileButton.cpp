#include "gui/OutputFileButton.h"

namespace mxt::gui {

void OutputFileButton::SetPaintSuppressed(bool suppressed) {
  paintSuppressed_ = suppressed;
  // An opaque widget gets no background from its parent, so an unpainted one keeps the
  // pixels it had.
  setAttribute(Qt::WA_OpaquePaintEvent, suppressed);
}

void OutputFileButton::paintEvent(QPaintEvent* event) {
  if (!paintSuppressed_) StickyToolbarButton::paintEvent(event);
}

}  // namespace mxt::gui
