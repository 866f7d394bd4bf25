#include "gui/ProgramHelp.h"

namespace mxt::gui {

HelpWindow& ProgramHelp::Window() {
  if (!window_) window_ = new HelpWindow;
  return *window_;
}

}  // namespace mxt::gui
