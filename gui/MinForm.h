#pragma once

#include <QMainWindow>
#include <QSize>

namespace mxt::gui {

// A main window that cannot be made smaller than its minimum tracking size, which counts
// the whole window, frame included.
class TMinForm : public QMainWindow {
 public:
  explicit TMinForm(QSize minimumTrackingSize);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QSize minimumTrackingSize_;
};

}  // namespace mxt::gui
