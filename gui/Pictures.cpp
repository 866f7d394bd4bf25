#include "gui/Pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <array>

// Q_INIT_RESOURCE must be used outside any namespace; the pictures live in a static
// library, whose resource initialiser no one would otherwise pull in.
static void InitPictureResources() {
  Q_INIT_RESOURCE(mxt);
}

namespace mxt::gui {

namespace {

constexpr QSize kListIconSize(16, 16);
constexpr QSize kGlyphSize(16, 16);
constexpr QSize kCursorSize(32, 32);
// Where the arrow of every drag cursor points.
constexpr QPoint kCursorHotSpot(1, 1);

constexpr std::array<const char*, 10> kFileImageNames = {
    "UnknownFileImage",   "IsntFileImage", "DirImage",     "BinaryFileImage",
    "ShiftJISFileImage",  "EUCFileImage",  "JISFileImage", "AsciiFileImage",
    "CantIdentFileImage", "UTF8FileImage",
};
constexpr std::array<const char*, 10> kGlyphNames = {
    "SelectButton", "OverwriteButton", "OutputToFileButton", "ShiftJISButton", "EUCButton",
    "JISButton",    "CRLFButton",      "LFButton",           "CRButton",       "UTF8Button",
};
constexpr std::array<const char*, 3> kCursorNames = {"FileDrag", "MultiFileDrag", "CantDrop"};

QImage Render(const QString& path, QSize size, QPoint offset = {}) {
  static const bool loaded = (InitPictureResources(), true);
  Q_UNUSED(loaded);
  const qreal ratio = qApp->devicePixelRatio();
  QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  QSvgRenderer svg(path);
  QPainter painter(&image);
  svg.render(&painter, QRectF(offset, size));
  return image;
}

// A disabled glyph: grey and half see-through.
QImage Greyed(QImage image) {
  image.convertTo(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = qGray(line[x]);
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
    }
  }
  return image;
}

// A glyph held by the mouse: pushed in and shaded.
QImage Shaded(QImage image) {
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
  painter.fillRect(QRect(QPoint(), image.size()), QColor(0, 0, 0, 70));
  return image;
}

}  // namespace

QPixmap FileImagePixmap(fileconv::FileImage image) {
  const QString path =
      QStringLiteral(":/icons/%1.svg").arg(kFileImageNames[static_cast<std::size_t>(image)]);
  QPixmap pixmap;
  if (!QPixmapCache::find(path, &pixmap)) {
    pixmap = QPixmap::fromImage(Render(path, kListIconSize));
    QPixmapCache::insert(path, pixmap);
  }
  return pixmap;
}

QIcon FileImageIcon(fileconv::FileImage image) {
  return QIcon(FileImagePixmap(image));
}

QCursor DragCursor(DragCursorSlot slot) {
  const QString path =
      QStringLiteral(":/cursors/%1.svg").arg(kCursorNames[static_cast<std::size_t>(slot) - 1]);
  return QCursor(QPixmap::fromImage(Render(path, kCursorSize)), kCursorHotSpot.x(),
                 kCursorHotSpot.y());
}

ButtonGlyphs ToolbarGlyphs(ToolbarGlyph glyph) {
  const QString path =
      QStringLiteral(":/glyphs/%1.svg").arg(kGlyphNames[static_cast<std::size_t>(glyph)]);
  const QImage up = Render(path, kGlyphSize);
  // Down glyphs sit a pixel lower and to the right, as if pushed into the bar.
  const QImage pushed = Render(path, kGlyphSize, QPoint(1, 1));
  return {QPixmap::fromImage(up), QPixmap::fromImage(Greyed(up)), QPixmap::fromImage(pushed),
          QPixmap::fromImage(Shaded(pushed))};
}

QIcon ProgramIcon() {
  static const bool loaded = (InitPictureResources(), true);
  Q_UNUSED(loaded);
  // Drawn in each size only when the desktop asks for it.
  return QIcon(QStringLiteral(":/mxt.svg"));
}

}  // namespace mxt::gui
