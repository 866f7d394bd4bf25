#pragma once

#include <optional>
#include <string>

namespace mxt::app {

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct FontChoice {
  std::string face;
  int size = 0;
};

// What loading and saving the settings need of the main window and the desktop.
class SettingsWindow {
 public:
  enum class WindowState { Normal, Minimized, Maximized };

  virtual ~SettingsWindow() = default;

  virtual WindowState State() const = 0;
  // Where the window is now.
  virtual Bounds CurrentBounds() const = 0;
  // Where the window is when neither minimized nor maximized.
  virtual Bounds NormalBounds() const = 0;
  // Sets that rectangle without showing the window. `placeStored`: the settings hold the
  // place; without it, a place equal to the window's own moves nothing, so that a window
  // never placed is left to the desktop.
  virtual void SetNormalBounds(const Bounds& bounds, bool placeStored) = 0;
  virtual void SetBounds(const Bounds& bounds) = 0;
  virtual void Maximize() = 0;

  // The desktop's work area, or nothing when the system cannot tell.
  virtual std::optional<Rect> WorkArea() const = 0;
  virtual Rect Screen() const = 0;

  virtual bool HasScreenFont(const std::string& face) const = 0;
  // The system's general GUI font, the file list's font until the user chooses another.
  virtual FontChoice DefaultListFont() const = 0;
};

// The work area, or the whole screen when the system cannot tell.
Rect GetWorkArea(const SettingsWindow& window);

}  // namespace mxt::app
