#include "fileconv/Settings.h"

#include <array>
#include <type_traits>

namespace mxt::fileconv {

namespace {

template <auto Field>
constexpr NumberOption Stored(std::string_view name, std::int32_t high) {
  return {name, high,
          [](const Settings& settings) { return static_cast<std::int32_t>(settings.*Field); },
          [](Settings& settings, std::int32_t value) {
            using Type = std::remove_reference_t<decltype(settings.*Field)>;
            settings.*Field = static_cast<Type>(value);
          }};
}

constexpr std::array kCodeOptions = {
    Stored<&Settings::InputKanjiCode>("InputKanjiCode", 4),
    Stored<&Settings::OutputKanjiCode>("OutputKanjiCode", 3),
    Stored<&Settings::EscapeSequence>("EscapeSequence", 3),
    Stored<&Settings::OutputNewlineCode>("OutputNewlineCode", 3),
    Stored<&Settings::SevenBitMode>("7BitMode", 1),
    Stored<&Settings::RemoveCtrlZ>("RemoveCtrlZ", 1),
    Stored<&Settings::PreserveTimestamp>("PreserveTimestamp", 1),
    Stored<&Settings::WayToOverwrite>("WayToOverwrite", 1),
    Stored<&Settings::UTF8BOM>("UTF8BOM", 1),
    Stored<&Settings::Mapping>("Mapping", 1),
    Stored<&Settings::Unconvertible>("Unconvertible", 2),
    Stored<&Settings::KeepBackup>("KeepBackup", 1),
};

constexpr std::array kInterfaceOptions = {
    Stored<&Settings::ConvWhenExecuted>("ConvWhenExecuted", 1),
    Stored<&Settings::ConvWhenSelected>("ConvWhenSelected", 1),
    Stored<&Settings::ConvWhenDropped>("ConvWhenDropped", 1),
    Stored<&Settings::QuitWhenConverted>("QuitWhenConverted", 1),
    Stored<&Settings::DontShortenFileName>("DontShortenFileName", 1),
    Stored<&Settings::AddFolderFiles>("AddFolderFiles", 1),
    Stored<&Settings::Language>("Language", 2),
};

constexpr NumberOption kForceNewlineConv =
    Stored<&Settings::ForceNewlineConv>("ForceNewlineConv", 1);

}  // namespace

std::span<const NumberOption> CodeOptions() {
  return kCodeOptions;
}

std::span<const NumberOption> InterfaceOptions() {
  return kInterfaceOptions;
}

const NumberOption& ForceNewlineConvOption() {
  return kForceNewlineConv;
}

}  // namespace mxt::fileconv
