#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

#include "fileconv/FileEntry.h"
#include "gui/ToolbarButton.h"

namespace mxt::gui {

// The picture a list entry shows in front of its name, 16 x 16.
QPixmap FileImagePixmap(fileconv::FileImage image);
QIcon FileImageIcon(fileconv::FileImage image);

// The cursors of a drag out of a file list, in their registered slots.
enum class DragCursorSlot { FileDrag = 1, MultiFileDrag = 2, CantDrop = 3 };
QCursor DragCursor(DragCursorSlot slot);

enum class ToolbarGlyph { Select, Overwrite, OutputToFile, ShiftJIS, EUC, JIS, CRLF, LF, CR, UTF8 };
ButtonGlyphs ToolbarGlyphs(ToolbarGlyph glyph);

QIcon ProgramIcon();

}  // namespace mxt::gui
