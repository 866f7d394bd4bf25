#include "fileconv/SettingsRecord.h"

namespace mxt::fileconv {

SettingsRecord Settings;

void ResetSettings() {
  Settings = SettingsRecord{};
}

}  // namespace mxt::fileconv
