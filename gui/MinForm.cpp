#include "gui/MinForm.h"

#include <QShowEvent>

namespace mxt::gui {

TMinForm::TMinForm(QSize minimumTrackingSize) : minimumTrackingSize_(minimumTrackingSize) {
  setMinimumSize(minimumTrackingSize_);
}

void TMinForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The frame is known only once the window is on the screen.
  const QSize frame = frameGeometry().size() - geometry().size();
  setMinimumSize((minimumTrackingSize_ - frame).expandedTo(QSize(0, 0)));
}

}  // namespace mxt::gui
