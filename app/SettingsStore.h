#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mxt::app {

inline constexpr std::string_view kMainWindowGroup = "MainWindow";
inline constexpr std::string_view kOptionsGroup = "Options";

// Where the settings persist: named text values in groups. Failures raise UserError with
// the message the user sees.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Nothing when the group or the value is missing.
  virtual std::optional<std::string> ReadString(std::string_view group, std::string_view name) = 0;
  virtual void WriteString(std::string_view group, std::string_view name,
                           std::string_view value) = 0;
  // Makes what was written last: a store may keep it until then.
  virtual void Commit() = 0;
};

// "0x…", "0X…" and "$…" are hexadecimal, anything else decimal; nothing when the text is not
// a number that fits 32 bits.
std::optional<std::int32_t> ParseNumber(std::string_view text);

// The stored number; nothing when it is missing or not a number.
std::optional<std::int32_t> ReadStoredNumber(SettingsStore& store, std::string_view group,
                                             std::string_view name);
// The stored number, or `fallback` when it is missing or not a number.
std::int32_t ReadNumber(SettingsStore& store, std::string_view group, std::string_view name,
                        std::int32_t fallback);
std::string ReadText(SettingsStore& store, std::string_view group, std::string_view name,
                     std::string_view fallback);
void WriteNumber(SettingsStore& store, std::string_view group, std::string_view name,
                 std::int32_t value);

}  // namespace mxt::app
