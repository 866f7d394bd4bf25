#pragma once

#include <QWidget>

namespace mxt::gui {

// The arrow between the input and the output list: a downward triangle outline, its
// slanted sides light and its top edge dark.
class ConversionArrow : public QWidget {
 public:
  explicit ConversionArrow(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace mxt::gui
