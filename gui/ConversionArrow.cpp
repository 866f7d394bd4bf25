#include "gui/ConversionArrow.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>

#include "app/MainLayout.h"

namespace mxt::gui {

ConversionArrow::ConversionArrow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ConvArrow"));
  setAccessibleName(QCoreApplication::translate("MainWindow", "出力ファイルへの矢印"));
}

void ConversionArrow::paintEvent(QPaintEvent*) {
  const app::ArrowPicture arrow = app::ConvArrowPicture(width(), height());
  if (arrow.width <= 0 || arrow.height <= 0) return;
  QPixmap picture(arrow.width, arrow.height);
  picture.fill(palette().color(QPalette::Window));
  QPainter painter(&picture);
  for (const app::ArrowLine& line : arrow.lines) {
    painter.setPen(palette().color(line.highlight ? QPalette::Light : QPalette::Dark));
    // The lines leave out their end points, as the drawing they come from does.
    const int dx = (line.x2 > line.x1) - (line.x2 < line.x1);
    const int dy = (line.y2 > line.y1) - (line.y2 < line.y1);
    painter.drawLine(line.x1, line.y1, line.x2 - dx, line.y2 - dy);
  }
  painter.end();
  QPainter(this).drawPixmap(0, 0, picture);
}

}  // namespace mxt::gui
