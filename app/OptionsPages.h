#pragma once

#include <array>
#include <string>
#include <string_view>

#include "fileconv/Settings.h"

namespace mxt::app {

// The names of the options dialog's pages, in their order.
inline constexpr std::string_view kOptionsPageNames[] = {
    "OutputCodePage", "InputCodePage", "FilePage", "ViewerPage", "InterfacePage",
};

// The page's help context, for the index 0..4.
int OptionsPageHelpContext(int page);

// A group of which one is chosen: radio buttons, or the items of a list (the escape
// sequences, the languages).
enum class OptionChoice {
  OutputCode,
  EscapeSequence,
  NewlineCode,
  InputCode,
  WayToOverwrite,
  Mapping,
  Unconvertible,
  Language,
};
// How many there are to choose from in each group, in the order above.
inline constexpr std::array<int, 8> kChoiceCounts = {4, 4, 4, 5, 2, 2, 3, 3};
// No radio button of the group chosen, no item of the list selected.
inline constexpr int kNoChoice = -1;

// The check boxes, in the order of the pages.
enum class OptionCheck {
  UTF8BOM,
  SevenBitMode,
  RemoveCtrlZ,
  PreserveTimestamp,
  KeepBackup,
  ConvWhenExecuted,
  ConvWhenSelected,
  ConvWhenDropped,
  QuitWhenConverted,
  DontShortenFileName,
  AddFolderFiles,
};
inline constexpr int kOptionChecks = 11;

enum class OptionText { ViewerPath, ViewerCmdLineOption };

// What the dialog's controls show.
struct OptionsPageValues {
  std::array<int, kChoiceCounts.size()> choices{};
  std::array<bool, kOptionChecks> checks{};
  std::array<std::string, 2> texts;

  int& Choice(OptionChoice group) { return choices[static_cast<std::size_t>(group)]; }
  int Choice(OptionChoice group) const { return choices[static_cast<std::size_t>(group)]; }
  bool& Check(OptionCheck box) { return checks[static_cast<std::size_t>(box)]; }
  bool Check(OptionCheck box) const { return checks[static_cast<std::size_t>(box)]; }
  std::string& Text(OptionText edit) { return texts[static_cast<std::size_t>(edit)]; }
  const std::string& Text(OptionText edit) const { return texts[static_cast<std::size_t>(edit)]; }
};

// The controls as the settings fill them; a value out of its group's range chooses none.
OptionsPageValues PageValuesOf(const fileconv::Settings& settings);

// The controls into the settings. A group with nothing chosen leaves its field as it was.
void ApplyPageValues(const OptionsPageValues& values, fileconv::Settings& settings);

// The escape-sequence label and list apply to JIS output only.
bool EscapeSequenceEnabled(int outputCodeChoice);
// A fixed input code turns the detection off: choosing one warns.
bool InputCodeWarns(int inputCodeChoice);

}  // namespace mxt::app
