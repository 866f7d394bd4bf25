#include "gui/ToolbarButtonGroup.h"

#include <algorithm>

#include "gui/ToolbarButton.h"

namespace mxt::gui {

ToolbarButtonGroup::ToolbarButtonGroup(bool allowAllUp, QObject* parent)
    : QObject(parent), allowAllUp_(allowAllUp) {}

ToolbarButtonGroup::~ToolbarButtonGroup() {
  // Buttons that outlive their group click as lone buttons do.
  for (ToolbarButton* button : buttons_)
    button->group_ = nullptr;
}

void ToolbarButtonGroup::Add(ToolbarButton* button) {
  buttons_.push_back(button);
  button->group_ = this;
  button->setCheckable(true);
  QObject::connect(button, &QAbstractButton::toggled, this, [this, button](bool down) {
    if (down) ButtonPutDown(button);
  });
  QObject::connect(button, &QObject::destroyed, this,
                   [this, button] { std::erase(buttons_, button); });
}

ToolbarButton* ToolbarButtonGroup::DownButton() const {
  const auto down = std::find_if(buttons_.begin(), buttons_.end(),
                                 [](const ToolbarButton* b) { return b->isChecked(); });
  return down == buttons_.end() ? nullptr : *down;
}

void ToolbarButtonGroup::ButtonPutDown(ToolbarButton* button) {
  for (ToolbarButton* other : buttons_) {
    if (other != button) other->setChecked(false);
  }
}

}  // namespace mxt::gui
