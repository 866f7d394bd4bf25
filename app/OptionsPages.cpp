#include "app/OptionsPages.h"

#include <algorithm>

#include "app/HelpContexts.h"

namespace mxt::app {

namespace {

using fileconv::Settings;

constexpr bool Settings::*kCheckFields[kOptionChecks] = {
    &Settings::UTF8BOM,           &Settings::SevenBitMode,
    &Settings::RemoveCtrlZ,       &Settings::PreserveTimestamp,
    &Settings::KeepBackup,        &Settings::ConvWhenExecuted,
    &Settings::ConvWhenSelected,  &Settings::ConvWhenDropped,
    &Settings::QuitWhenConverted, &Settings::DontShortenFileName,
    &Settings::AddFolderFiles,
};

int Count(OptionChoice group) {
  return kChoiceCounts[static_cast<std::size_t>(group)];
}

int ChoiceOf(OptionChoice group, int value) {
  return value >= 0 && value < Count(group) ? value : kNoChoice;
}

// Stores a choice that names one of the group; anything else leaves the field.
template <typename Field>
void Store(const OptionsPageValues& values, OptionChoice group, Field& field) {
  const int choice = values.Choice(group);
  if (choice >= 0 && choice < Count(group)) field = static_cast<Field>(choice);
}

}  // namespace

int OptionsPageHelpContext(int page) {
  return HelpContextOf(kOptionsPageNames[static_cast<std::size_t>(page)]).value_or(0);
}

OptionsPageValues PageValuesOf(const Settings& settings) {
  OptionsPageValues values;
  values.Choice(OptionChoice::OutputCode) =
      ChoiceOf(OptionChoice::OutputCode, settings.OutputKanjiCode);
  values.Choice(OptionChoice::EscapeSequence) =
      ChoiceOf(OptionChoice::EscapeSequence, static_cast<int>(settings.EscapeSequence));
  values.Choice(OptionChoice::NewlineCode) =
      ChoiceOf(OptionChoice::NewlineCode, static_cast<int>(settings.OutputNewlineCode));
  values.Choice(OptionChoice::InputCode) =
      ChoiceOf(OptionChoice::InputCode, settings.InputKanjiCode);
  values.Choice(OptionChoice::WayToOverwrite) =
      ChoiceOf(OptionChoice::WayToOverwrite, settings.WayToOverwrite);
  values.Choice(OptionChoice::Mapping) =
      ChoiceOf(OptionChoice::Mapping, static_cast<int>(settings.Mapping));
  values.Choice(OptionChoice::Unconvertible) =
      ChoiceOf(OptionChoice::Unconvertible, static_cast<int>(settings.Unconvertible));
  values.Choice(OptionChoice::Language) = ChoiceOf(OptionChoice::Language, settings.Language);
  for (int i = 0; i < kOptionChecks; ++i)
    values.checks[i] = settings.*kCheckFields[i];
  values.Text(OptionText::ViewerPath) = settings.ViewerPath;
  values.Text(OptionText::ViewerCmdLineOption) = settings.ViewerCmdLineOption;
  return values;
}

void ApplyPageValues(const OptionsPageValues& values, Settings& settings) {
  Store(values, OptionChoice::OutputCode, settings.OutputKanjiCode);
  Store(values, OptionChoice::EscapeSequence, settings.EscapeSequence);
  Store(values, OptionChoice::NewlineCode, settings.OutputNewlineCode);
  Store(values, OptionChoice::InputCode, settings.InputKanjiCode);
  Store(values, OptionChoice::WayToOverwrite, settings.WayToOverwrite);
  Store(values, OptionChoice::Mapping, settings.Mapping);
  Store(values, OptionChoice::Unconvertible, settings.Unconvertible);
  Store(values, OptionChoice::Language, settings.Language);
  for (int i = 0; i < kOptionChecks; ++i)
    settings.*kCheckFields[i] = values.checks[i];
  settings.ViewerPath = values.Text(OptionText::ViewerPath);
  settings.ViewerCmdLineOption = values.Text(OptionText::ViewerCmdLineOption);
}

bool EscapeSequenceEnabled(int outputCodeChoice) {
  return outputCodeChoice == 2;
}

bool InputCodeWarns(int inputCodeChoice) {
  return inputCodeChoice >= 1 && inputCodeChoice < Count(OptionChoice::InputCode);
}

}  // namespace mxt::app
