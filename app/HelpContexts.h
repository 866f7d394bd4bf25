#pragma once

#include <optional>
#include <string_view>

namespace mxt::app {

// A window, menu, control or dialog by its name, and the manual's topic for it.
struct HelpContextUse {
  std::string_view name;
  int context;
};

inline constexpr HelpContextUse kHelpContexts[] = {
    {"MXTWForm", 2100},       {"SelectDialog", 1110},  {"OutputToFileDialog", 1120},
    {"FileMenu", 2200},       {"ViewMenu", 2210},      {"FontDialog", 2210},
    {"OptionMenu", 2220},     {"HelpMenu", 2230},      {"PopupSpeedMenu", 2250},
    {"ConvButton", 2300},     {"ConvListBox", 2400},   {"OutputListBox", 2400},
    {"OutputCodePage", 2500}, {"InputCodePage", 2510}, {"FilePage", 2520},
    {"ViewerPage", 2530},     {"BrowseDialog", 2530},  {"InterfacePage", 2540},
};

// Nothing for a name without a topic of its own: the help of what holds it applies.
std::optional<int> HelpContextOf(std::string_view name);

}  // namespace mxt::app
