#pragma once

#include <QStatusBar>

namespace mxt::gui {

// The main window's status line. Screen readers hear what it shows: its accessible name is
// its text, and a change of the text is announced.
class StatusLine : public QStatusBar {
 public:
  explicit StatusLine(QWidget* parent);

 private:
  void TextChanged(const QString& text);
};

}  // namespace mxt::gui
