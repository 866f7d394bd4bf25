#pragma once

#include <QObject>
#include <vector>

namespace mxt::gui {

class ToolbarButton;

// Buttons of which at most one is down. Without AllowAllUp a click on the down button
// leaves it down; setting a button up from code is always possible.
class ToolbarButtonGroup : public QObject {
 public:
  explicit ToolbarButtonGroup(bool allowAllUp, QObject* parent = nullptr);
  ~ToolbarButtonGroup() override;

  bool AllowAllUp() const { return allowAllUp_; }
  void Add(ToolbarButton* button);
  // The button that is down, or null.
  ToolbarButton* DownButton() const;

 private:
  void ButtonPutDown(ToolbarButton* button);

  bool allowAllUp_;
  std::vector<ToolbarButton*> buttons_;
};

}  // namespace mxt::gui
