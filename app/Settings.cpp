#include "app/Settings.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "engine/EscapeSequence.h"
#include "fileconv/CheckRange.h"
#include "fileconv/PathText.h"
#include "fileconv/TempFile.h"
#include "platform/CurrentDirectory.h"
#include "platform/SystemPaths.h"

namespace mxt::app {

namespace {

using fileconv::CheckRange;

constexpr std::int32_t kLargestFontSize = 127;

// A number of the Options group, with the largest value it may take (the smallest is 0).
struct NumberSetting {
  std::string_view name;
  std::int32_t high;
  std::int32_t (*get)(const SettingsRecord&);
  void (*set)(SettingsRecord&, std::int32_t);
};

template <auto Field>
constexpr NumberSetting Stored(std::string_view name, std::int32_t high) {
  return {name, high,
          [](const SettingsRecord& record) { return static_cast<std::int32_t>(record.*Field); },
          [](SettingsRecord& record, std::int32_t value) {
            using Type = std::remove_reference_t<decltype(record.*Field)>;
            record.*Field = static_cast<Type>(value);
          }};
}

// Read and written before the viewer.
constexpr std::array kCodeSettings = {
    Stored<&SettingsRecord::InputKanjiCode>("InputKanjiCode", 3),
    Stored<&SettingsRecord::OutputKanjiCode>("OutputKanjiCode", 2),
    Stored<&SettingsRecord::EscapeSequence>("EscapeSequence", 3),
    Stored<&SettingsRecord::OutputNewlineCode>("OutputNewlineCode", 3),
    Stored<&SettingsRecord::SevenBitMode>("7BitMode", 1),
    Stored<&SettingsRecord::RemoveCtrlZ>("RemoveCtrlZ", 1),
    Stored<&SettingsRecord::PreserveTimestamp>("PreserveTimestamp", 1),
    Stored<&SettingsRecord::WayToOverwrite>("WayToOverwrite", 1),
};

// Read and written after the viewer.
constexpr std::array kWhenSettings = {
    Stored<&SettingsRecord::ConvWhenExecuted>("ConvWhenExecuted", 1),
    Stored<&SettingsRecord::ConvWhenSelected>("ConvWhenSelected", 1),
    Stored<&SettingsRecord::ConvWhenDropped>("ConvWhenDropped", 1),
    Stored<&SettingsRecord::QuitWhenConverted>("QuitWhenConverted", 1),
    Stored<&SettingsRecord::DontShortenFileName>("DontShortenFileName", 1),
};

// Set by hand in the store; never written.
constexpr NumberSetting kForceNewlineConv =
    Stored<&SettingsRecord::ForceNewlineConv>("ForceNewlineConv", 1);

void ReadInto(SettingsRecord& record, SettingsStore& store, const NumberSetting& setting) {
  std::int32_t value = ReadNumber(store, kOptionsGroup, setting.name, 0);
  CheckRange(value, 0, setting.high);
  setting.set(record, value);
}

template <std::size_t N>
void ReadInto(SettingsRecord& record, SettingsStore& store,
              const std::array<NumberSetting, N>& settings) {
  for (const NumberSetting& setting : settings)
    ReadInto(record, store, setting);
}

template <std::size_t N>
void WriteFrom(const SettingsRecord& record, SettingsStore& store,
               const std::array<NumberSetting, N>& settings) {
  for (const NumberSetting& setting : settings) {
    WriteNumber(store, kOptionsGroup, setting.name, setting.get(record));
  }
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
  std::int32_t maximized;
};

StoredGeometry ReadGeometry(const SettingsWindow& window, SettingsStore& store) {
  const Bounds current = window.CurrentBounds();
  const auto read = [&](std::string_view name, std::int32_t fallback) {
    return ReadNumber(store, kMainWindowGroup, name, fallback);
  };
  StoredGeometry geometry;
  geometry.bounds.left = read("PosX", current.left);
  geometry.bounds.top = read("PosY", current.top);
  geometry.bounds.width = read("Width", current.width);
  geometry.bounds.height = read("Height", current.height);
  geometry.maximized =
      read("State", window.State() == SettingsWindow::WindowState::Maximized ? 1 : 0);
  return geometry;
}

void PlaceWindow(SettingsWindow& window, StoredGeometry geometry,
                 SettingsWindow::WindowState before) {
  geometry.bounds.width = std::max(geometry.bounds.width, 0);
  geometry.bounds.height = std::max(geometry.bounds.height, 0);
  window.SetNormalBounds(geometry.bounds);
  window.SetBounds(KeptInside(window.CurrentBounds(), GetWorkArea(window)));
  CheckRange(geometry.maximized, 0, 1);
  if (before == SettingsWindow::WindowState::Normal && geometry.maximized == 1) window.Maximize();
}

}  // namespace

void LoadSettings(SettingsWindow& window, SettingsStore& store) {
  const SettingsWindow::WindowState before = window.State();
  SettingsRecord next = Settings;
  const StoredGeometry geometry = ReadGeometry(window, store);
  Settings.LastDir = next.LastDir = ReadText(store, kMainWindowGroup, "LastDir", "");
  next.FontName = ReadText(store, kMainWindowGroup, "FontName", "");
  next.FontSize = ReadNumber(store, kMainWindowGroup, "FontSize", 0);
  ReadInto(next, store, kCodeSettings);
  next.ViewerPath = ReadText(store, kOptionsGroup, "ViewerPath", platform::DefaultViewerProgram());
  Settings.ViewerCmdLineOption = next.ViewerCmdLineOption =
      ReadText(store, kOptionsGroup, "ViewerCmdLineOption", "");
  ReadInto(next, store, kWhenSettings);
  ReadInto(next, store, kForceNewlineConv);
  next.TempDir = fileconv::NormalizeDirectory(
      ReadText(store, kOptionsGroup, "TempDir", fileconv::DefaultTempDir()));
  std::int32_t guiStyle = ReadNumber(store, kOptionsGroup, "GUIStyle", Settings.GUIStyle);

  PlaceWindow(window, geometry, before);
  if (!next.FontName.empty() && !window.HasScreenFont(next.FontName)) next.FontName.clear();
  next.FontSize = CheckedFontSize(next.FontSize);
  CheckRange(guiStyle, 0, 2);
  // 0 keeps the system's style.
  if (guiStyle > 0) next.GUIStyle = static_cast<std::uint8_t>(guiStyle);
  Settings = next;
}

void SaveSettings(const SettingsWindow& window, SettingsStore& store) {
  if (Settings.BatchMode) return;
  const Bounds normal = window.NormalBounds();
  const bool maximized = window.State() == SettingsWindow::WindowState::Maximized;
  WriteNumber(store, kMainWindowGroup, "PosX", normal.left);
  WriteNumber(store, kMainWindowGroup, "PosY", normal.top);
  WriteNumber(store, kMainWindowGroup, "Width", normal.width);
  WriteNumber(store, kMainWindowGroup, "Height", normal.height);
  WriteNumber(store, kMainWindowGroup, "State", maximized ? 1 : 0);
  store.WriteString(kMainWindowGroup, "LastDir", platform::CurrentDirectory());
  // The default font is stored as empty texts, so that another system's default applies.
  const FontChoice defaultFont = window.DefaultListFont();
  if (Settings.FontSize == defaultFont.size && Settings.FontName == defaultFont.face) {
    store.WriteString(kMainWindowGroup, "FontName", "");
    store.WriteString(kMainWindowGroup, "FontSize", "");
  } else {
    store.WriteString(kMainWindowGroup, "FontName", Settings.FontName);
    WriteNumber(store, kMainWindowGroup, "FontSize", Settings.FontSize);
  }
  WriteFrom(Settings, store, kCodeSettings);
  store.WriteString(kOptionsGroup, "ViewerPath", Settings.ViewerPath);
  store.WriteString(kOptionsGroup, "ViewerCmdLineOption", Settings.ViewerCmdLineOption);
  WriteFrom(Settings, store, kWhenSettings);
}

void RestoreDefaults(RestoreDefaultsHost& host) {
  if (!host.Confirm("すべての設定をデフォルト値に戻しますか ?")) return;
  Settings.OutputKanjiCode = engine::kOutputShiftJIS;
  Settings.EscapeSequence = engine::EscapeSequenceSet::EscBJ;
  engine::SelectEscapeSequenceSet(Settings.EscapeSequence);  // JIS is written as it reads now
  Settings.OutputNewlineCode = engine::NewlineCode::DontCare;
  host.ShowOutputCodes();
  Settings.InputKanjiCode = 0;
  Settings.SevenBitMode = Settings.RemoveCtrlZ = Settings.PreserveTimestamp = false;
  Settings.WayToOverwrite = 0;
  Settings.ViewerPath = platform::DefaultViewerProgram();
  Settings.ViewerCmdLineOption.clear();
  Settings.ConvWhenExecuted = Settings.ConvWhenSelected = Settings.ConvWhenDropped = false;
  Settings.QuitWhenConverted = false;
  host.SwitchToOverwrite();
  host.ClearFileList();
  Settings.DontShortenFileName = false;
}

bool ReadConvWhenExecuted(SettingsStore& store) {
  return ReadNumber(store, kOptionsGroup, "ConvWhenExecuted", 0) == 1;
}

}  // namespace mxt::app
