#pragma once

#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <QToolButton>
#include <functional>
#include <vector>

namespace mxt::gui {

class ToolbarButtonGroup;

// The four pictures of a toolbar button.
struct ButtonGlyphs {
  QPixmap up;
  QPixmap disabled;
  QPixmap down;
  // While the mouse holds the button pressed.
  QPixmap heldDown;
};

// A toolbar button that can be locked against the mouse without looking disabled.
class ToolbarButton : public QToolButton {
 public:
  explicit ToolbarButton(const QString& name, QWidget* parent = nullptr);

  bool MouseLocked() const { return mouseLocked_; }
  // Every press, release and double click of any mouse button is ignored, and so is the
  // context menu; hovering and painting go on, so the button keeps its look.
  void SetMouseLocked(bool locked) { mouseLocked_ = locked; }

  // "short|long": the short text is the tooltip and the accessible name, the long one
  // goes to the status line.
  void SetHint(const QString& hint);
  void SetGlyphs(const ButtonGlyphs& glyphs);

  // A left release at 0 <= x < width and 0 <= y <= height, whether or not the press
  // went through: the row just below the button still counts.
  std::function<void(ToolbarButton&)> OnReleasedInside;

 protected:
  bool event(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void nextCheckState() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class ToolbarButtonGroup;

  bool mouseLocked_ = false;
  ToolbarButtonGroup* group_ = nullptr;
  QIcon heldGlyph_;
};

}  // namespace mxt::gui
