#include "app/SettingsWindow.h"

namespace mxt::app {

Rect GetWorkArea(const SettingsWindow& window) {
  return window.WorkArea().value_or(window.Screen());
}

}  // namespace mxt::app
