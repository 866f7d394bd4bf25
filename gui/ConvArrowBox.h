#pragma once

#include <QWidget>

namespace mxt::gui {

// The arrow between the input and the output list: a downward triangle outline, its
// slanted sides light and its top edge dark.
class ConvArrowBox : public QWidget {
 public:
  explicit ConvArrowBox(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace mxt::gui
