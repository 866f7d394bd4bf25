#pragma once

#include "app/SettingsWindow.h"

namespace mxt::app {

// The window geometry of a run without a display: it keeps what it is given and
// reports a nominal screen.
class HeadlessWindow final : public SettingsWindow {
 public:
  WindowState State() const override { return WindowState::Normal; }
  Bounds CurrentBounds() const override { return bounds_; }
  Bounds NormalBounds() const override { return bounds_; }
  void SetNormalBounds(const Bounds& bounds, bool) override { bounds_ = bounds; }
  void SetBounds(const Bounds& bounds) override { bounds_ = bounds; }
  void Maximize() override {}
  std::optional<Rect> WorkArea() const override { return std::nullopt; }
  Rect Screen() const override { return {0, 0, 1024, 768}; }
  bool HasScreenFont(const std::string&) const override { return false; }
  FontChoice DefaultListFont() const override { return {}; }

 private:
  Bounds bounds_;
};

}  // namespace mxt::app
