#pragma once

#include <string>
#include <string_view>

#include "app/SettingsStore.h"
#include "app/SettingsWindow.h"
#include "fileconv/Settings.h"

namespace mxt::app {

using fileconv::Settings;

// Fills the settings from the store and places the window. A failure raises and leaves the
// settings as they were, except LastDir and ViewerCmdLineOption when they were read
// already, and leaves the window where it is.
void LoadSettings(Settings& settings, SettingsWindow& window, SettingsStore& store);

// Writes the settings and the window's geometry in one commit, in a batch run nothing. A
// failure leaves the store as it was.
void SaveSettings(const Settings& settings, const SettingsWindow& window, SettingsStore& store);

// What restoring the defaults changes in the main window.
class RestoreDefaultsHost {
 public:
  virtual ~RestoreDefaultsHost() = default;

  // Asks with OK and Cancel; true for OK.
  virtual bool Confirm(std::string_view question) = 0;
  // The toolbar shows the output code and the newline code of the settings.
  virtual void ShowOutputCodes() = 0;
  virtual void SwitchToOverwrite() = 0;
  virtual void ClearFileList() = 0;
};

// The options back to their defaults, once the user agrees. Nothing is stored before exit.
void RestoreDefaults(Settings& settings, RestoreDefaultsHost& host);

// Whether a conversion runs at start-up, read before any window exists.
bool ReadConvWhenExecuted(SettingsStore& store);
// The stored "Language", read before any window exists; 0 when out of range.
int ReadLanguage(SettingsStore& store);

}  // namespace mxt::app
