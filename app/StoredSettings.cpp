#include "app/StoredSettings.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "app/MessageTexts.h"
#include "app/ProfileText.h"
#include "fileconv/CheckRange.h"
#include "fileconv/PathText.h"
#include "fileconv/TempFile.h"
#include "platform/CurrentDirectory.h"
#include "platform/SystemPaths.h"

namespace mxt::app {

namespace {

using fileconv::CheckRange;
using fileconv::NumberOption;

constexpr std::int32_t kLargestFontSize = 127;

void ReadInto(Settings& settings, SettingsStore& store, const NumberOption& option) {
  std::int32_t value = ReadNumber(store, kOptionsGroup, option.name, 0);
  CheckRange(value, 0, option.high);
  option.set(settings, value);
}

void ReadInto(Settings& settings, SettingsStore& store, std::span<const NumberOption> options) {
  for (const NumberOption& option : options)
    ReadInto(settings, store, option);
}

void WriteFrom(const Settings& settings, SettingsStore& store,
               std::span<const NumberOption> options) {
  for (const NumberOption& option : options)
    WriteNumber(store, kOptionsGroup, option.name, option.get(settings));
}

int Clamped(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// Keeps at least one pixel of the window inside the work area.
Bounds KeptInside(Bounds bounds, const Rect& work) {
  std::int64_t left = bounds.left, top = bounds.top;
  if (left >= work.right) left = std::int64_t{work.right} - 1;
  if (std::int64_t{work.left} - bounds.width >= left)
    left = std::int64_t{work.left} - bounds.width + 1;
  if (top >= work.bottom) top = std::int64_t{work.bottom} - 1;
  if (std::int64_t{work.top} - bounds.height >= top)
    top = std::int64_t{work.top} - bounds.height + 1;
  bounds.left = Clamped(left);
  bounds.top = Clamped(top);
  return bounds;
}

std::int32_t CheckedFontSize(std::int32_t size) {
  const std::int64_t magnitude = std::abs(std::int64_t{size});
  return magnitude <= kLargestFontSize ? static_cast<std::int32_t>(magnitude) : 0;
}

struct StoredGeometry {
  Bounds bounds;
  // The settings hold where the window was, rather than its own place standing in.
  bool placeStored;
  std::int32_t maximized;
};

StoredGeometry ReadGeometry(const SettingsWindow& window, SettingsStore& store) {
  const Bounds current = window.CurrentBounds();
  const auto read = [&](std::string_view name, std::int32_t fallback) {
    return ReadNumber(store, kMainWindowGroup, name, fallback);
  };
  StoredGeometry geometry;
  const std::optional<std::int32_t> left = ReadStoredNumber(store, kMainWindowGroup, "PosX");
  const std::optional<std::int32_t> top = ReadStoredNumber(store, kMainWindowGroup, "PosY");
  geometry.placeStored = left || top;
  geometry.bounds.left = left.value_or(current.left);
  geometry.bounds.top = top.value_or(current.top);
  geometry.bounds.width = read("Width", current.width);
  geometry.bounds.height = read("Height", current.height);
  geometry.maximized =
      read("State", window.State() == SettingsWindow::WindowState::Maximized ? 1 : 0);
  return geometry;
}

void PlaceWindow(SettingsWindow& window, StoredGeometry geometry,
                 SettingsWindow::WindowState before) {
  const Rect work = GetWorkArea(window);
  // No larger than the work area: a stored 999999 would make a window of the display's
  // largest size, which takes gigabytes to draw.
  geometry.bounds.width = std::clamp(geometry.bounds.width, 0, std::max(work.right - work.left, 0));
  geometry.bounds.height =
      std::clamp(geometry.bounds.height, 0, std::max(work.bottom - work.top, 0));
  window.SetNormalBounds(geometry.bounds, geometry.placeStored);
  window.SetBounds(KeptInside(window.CurrentBounds(), work));
  CheckRange(geometry.maximized, 0, 1);
  if (before == SettingsWindow::WindowState::Normal && geometry.maximized == 1) window.Maximize();
}

}  // namespace

void LoadSettings(Settings& settings, SettingsWindow& window, SettingsStore& store) {
  const SettingsWindow::WindowState before = window.State();
  Settings next = settings;
  const StoredGeometry geometry = ReadGeometry(window, store);
  settings.LastDir = next.LastDir = ReadText(store, kMainWindowGroup, "LastDir", "");
  next.FontName = ReadText(store, kMainWindowGroup, "FontName", "");
  next.FontSize = ReadNumber(store, kMainWindowGroup, "FontSize", 0);
  ReadInto(next, store, fileconv::CodeOptions());
  next.ViewerPath = ReadText(store, kOptionsGroup, "ViewerPath", Settings().ViewerPath);
  settings.ViewerCmdLineOption = next.ViewerCmdLineOption =
      ReadText(store, kOptionsGroup, "ViewerCmdLineOption", "");
  ReadInto(next, store, fileconv::InterfaceOptions());
  ReadInto(next, store, fileconv::ForceNewlineConvOption());
  next.TempDir = fileconv::NormalizeDirectory(
      ReadText(store, kOptionsGroup, "TempDir", fileconv::DefaultTempDir()));
  std::int32_t guiStyle = ReadNumber(store, kOptionsGroup, "GUIStyle", settings.GUIStyle);

  PlaceWindow(window, geometry, before);
  if (!next.FontName.empty() && !window.HasScreenFont(next.FontName)) next.FontName.clear();
  next.FontSize = CheckedFontSize(next.FontSize);
  CheckRange(guiStyle, 0, 2);
  // 0 keeps the system's style.
  if (guiStyle > 0) next.GUIStyle = static_cast<std::uint8_t>(guiStyle);
  settings = next;
}

void SaveSettings(const Settings& settings, const SettingsWindow& window, SettingsStore& store) {
  if (settings.BatchMode) return;
  const Bounds normal = window.NormalBounds();
  const bool maximized = window.State() == SettingsWindow::WindowState::Maximized;
  WriteNumber(store, kMainWindowGroup, "PosX", normal.left);
  WriteNumber(store, kMainWindowGroup, "PosY", normal.top);
  WriteNumber(store, kMainWindowGroup, "Width", normal.width);
  WriteNumber(store, kMainWindowGroup, "Height", normal.height);
  WriteNumber(store, kMainWindowGroup, "State", maximized ? 1 : 0);
  // A folder the file would give back otherwise is not stored: the next start would go to
  // another folder, or to none.
  const std::string folder = platform::CurrentDirectory();
  store.WriteString(kMainWindowGroup, "LastDir", ReadsBackAsWritten(folder) ? folder : "");
  // The default font is stored as empty texts, so that another system's default applies.
  const FontChoice defaultFont = window.DefaultListFont();
  if (settings.FontSize == defaultFont.size && settings.FontName == defaultFont.face) {
    store.WriteString(kMainWindowGroup, "FontName", "");
    store.WriteString(kMainWindowGroup, "FontSize", "");
  } else {
    store.WriteString(kMainWindowGroup, "FontName", settings.FontName);
    WriteNumber(store, kMainWindowGroup, "FontSize", settings.FontSize);
  }
  WriteFrom(settings, store, fileconv::CodeOptions());
  store.WriteString(kOptionsGroup, "ViewerPath", settings.ViewerPath);
  store.WriteString(kOptionsGroup, "ViewerCmdLineOption", settings.ViewerCmdLineOption);
  WriteFrom(settings, store, fileconv::InterfaceOptions());
  store.Commit();
}

void RestoreDefaults(Settings& settings, RestoreDefaultsHost& host) {
  if (!host.Confirm(message::kRestoreDefaults)) return;
  const Settings defaults;
  settings.OutputKanjiCode = defaults.OutputKanjiCode;
  settings.EscapeSequence = defaults.EscapeSequence;
  settings.OutputNewlineCode = defaults.OutputNewlineCode;
  host.ShowOutputCodes();
  settings.InputKanjiCode = defaults.InputKanjiCode;
  settings.UTF8BOM = defaults.UTF8BOM;
  settings.Mapping = defaults.Mapping;
  settings.Unconvertible = defaults.Unconvertible;
  settings.SevenBitMode = defaults.SevenBitMode;
  settings.RemoveCtrlZ = defaults.RemoveCtrlZ;
  settings.PreserveTimestamp = defaults.PreserveTimestamp;
  settings.WayToOverwrite = defaults.WayToOverwrite;
  settings.KeepBackup = defaults.KeepBackup;
  settings.ViewerPath = defaults.ViewerPath;
  settings.ViewerCmdLineOption = defaults.ViewerCmdLineOption;
  settings.ConvWhenExecuted = defaults.ConvWhenExecuted;
  settings.ConvWhenSelected = defaults.ConvWhenSelected;
  settings.ConvWhenDropped = defaults.ConvWhenDropped;
  settings.QuitWhenConverted = defaults.QuitWhenConverted;
  host.SwitchToOverwrite();
  host.ClearFileList();
  settings.DontShortenFileName = defaults.DontShortenFileName;
  settings.AddFolderFiles = defaults.AddFolderFiles;
}

bool ReadConvWhenExecuted(SettingsStore& store) {
  return ReadNumber(store, kOptionsGroup, "ConvWhenExecuted", 0) == 1;
}

int ReadLanguage(SettingsStore& store) {
  const int language = ReadNumber(store, kOptionsGroup, "Language", 0);
  return language >= 0 && language <= 2 ? language : 0;
}

}  // namespace mxt::app
