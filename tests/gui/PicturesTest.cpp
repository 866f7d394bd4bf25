#include "gui/Pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <vector>

namespace mxt::gui {
namespace {

// Every picture of the set is drawn and none looks like another.
void ExpectDistinct(const std::vector<QImage>& images, QSize size) {
  for (std::size_t i = 0; i < images.size(); ++i) {
    EXPECT_EQ(images[i].size(), size) << i;
    EXPECT_FALSE(images[i].isNull()) << i;
    bool drawn = false;
    for (int y = 0; y < images[i].height() && !drawn; ++y) {
      for (int x = 0; x < images[i].width() && !drawn; ++x)
        drawn = qAlpha(images[i].pixel(x, y));
    }
    EXPECT_TRUE(drawn) << i;
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_NE(images[i], images[j]) << i << " " << j;
  }
}

TEST(PicturesTest, TheNineListIconsTellTheirCasesApart) {
  std::vector<QImage> images;
  for (int image = 0; image <= int(fileconv::FileImage::CantIdentFileImage); ++image) {
    images.push_back(FileImagePixmap(fileconv::FileImage(image)).toImage());
  }
  ExpectDistinct(images, QSize(16, 16));
  EXPECT_EQ(FileImageIcon(fileconv::FileImage::DirImage).pixmap(16, 16).toImage(), images[2]);
}

TEST(PicturesTest, EveryToolbarGlyphHasFourStates) {
  std::vector<QImage> ups;
  for (int glyph = 0; glyph <= int(ToolbarGlyph::CR); ++glyph) {
    const ButtonGlyphs g = ToolbarGlyphs(ToolbarGlyph(glyph));
    ExpectDistinct({g.up.toImage(), g.disabled.toImage(), g.down.toImage(), g.heldDown.toImage()},
                   QSize(16, 16));
    ups.push_back(g.up.toImage());
  }
  ExpectDistinct(ups, QSize(16, 16));
}

TEST(PicturesTest, TheThreeDragCursorsPointFromTheirTopLeftCorner) {
  std::vector<QImage> images;
  for (const auto slot :
       {DragCursorSlot::FileDrag, DragCursorSlot::MultiFileDrag, DragCursorSlot::CantDrop}) {
    const QCursor cursor = DragCursor(slot);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(1, 1));
    images.push_back(cursor.pixmap().toImage());
  }
  ExpectDistinct(images, QSize(32, 32));
}

// Drawn from the picture at whatever size the desktop asks for.
TEST(PicturesTest, TheProgramIconComesInEverySize) {
  const QIcon icon = ProgramIcon();
  for (const int side : {16, 48, 256}) {
    const QImage drawn = icon.pixmap(side, side).toImage();
    EXPECT_EQ(drawn.size(), QSize(side, side));
    EXPECT_GT(qAlpha(drawn.pixel(side / 2, side / 2)), 0) << side << ": nothing drawn";
  }
}

}  // namespace
}  // namespace mxt::gui
