#include "app/SettingsStore.h"

#include <charconv>
#include <limits>

namespace mxt::app {

namespace {

std::optional<std::int64_t> Digits(std::string_view text, int base) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// Eight hexadecimal digits are a 32-bit pattern: "$FFFFFFFF" is -1.
std::optional<std::int32_t> Hexadecimal(std::string_view digits) {
  if (digits.empty() || digits.front() == '-' || digits.front() == '+') return std::nullopt;
  const auto value = Digits(digits, 16);
  if (!value || *value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
}

std::optional<std::int32_t> Decimal(std::string_view text) {
  const bool plus = !text.empty() && text.front() == '+';
  if (plus) text.remove_prefix(1);
  if (plus && !text.empty() && text.front() == '-') return std::nullopt;
  const auto value = Digits(text, 10);
  if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
      *value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(*value);
}

}  // namespace

std::optional<std::int32_t> ParseNumber(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return Hexadecimal(text.substr(2));
  }
  if (!text.empty() && text[0] == '$') return Hexadecimal(text.substr(1));
  return Decimal(text);
}

std::optional<std::int32_t> ReadStoredNumber(SettingsStore& store, std::string_view group,
                                             std::string_view name) {
  const auto text = store.ReadString(group, name);
  if (!text) return std::nullopt;
  return ParseNumber(*text);
}

std::int32_t ReadNumber(SettingsStore& store, std::string_view group, std::string_view name,
                        std::int32_t fallback) {
  return ReadStoredNumber(store, group, name).value_or(fallback);
}

std::string ReadText(SettingsStore& store, std::string_view group, std::string_view name,
                     std::string_view fallback) {
  return store.ReadString(group, name).value_or(std::string(fallback));
}

void WriteNumber(SettingsStore& store, std::string_view group, std::string_view name,
                 std::int32_t value) {
  store.WriteString(group, name, std::to_string(value));
}

}  // namespace mxt::app
