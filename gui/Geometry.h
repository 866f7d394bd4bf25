#pragma once

#include <QRect>

#include "app/SettingsWindow.h"

namespace mxt::gui {

// A rectangle of the toolkit as the layers below measure it.
inline app::Bounds BoundsOf(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

inline app::Rect RectOf(const QRect& rect) {
  return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

}  // namespace mxt::gui
