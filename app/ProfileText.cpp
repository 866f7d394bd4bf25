#include "app/ProfileText.h"

#include <vector>

namespace mxt::app {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
  const auto begin = text.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The section a header line opens, or nothing for any other line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trimmed(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  return Trimmed(line.substr(1, line.find(']') - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> KeyOf(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos || Trimmed(line).front() == ';') return std::nullopt;
  return KeyLine{Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))};
}

// Where a key lies in the text, by line numbers.
struct Place {
  std::optional<std::size_t> keyLine;
  // The line after the section's last non-blank line; absent when there is no section.
  std::optional<std::size_t> sectionEnd;
};

Place Find(const std::vector<std::string_view>& lines, std::string_view section,
           std::string_view key) {
  Place place;
  bool inside = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = SectionOf(lines[i])) {
      if (place.sectionEnd) break;
      inside = SameName(*name, section);
      if (inside) place.sectionEnd = i + 1;
      continue;
    }
    if (!inside) continue;
    if (!Trimmed(lines[i]).empty()) place.sectionEnd = i + 1;
    const auto keyLine = KeyOf(lines[i]);
    if (keyLine && !place.keyLine && SameName(keyLine->key, key)) place.keyLine = i;
  }
  return place;
}

}  // namespace

std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  const auto lines = Lines(text);
  const Place place = Find(lines, section, key);
  if (!place.keyLine) return std::nullopt;
  return std::string(KeyOf(lines[*place.keyLine])->value.substr(0, kProfileValueLimit));
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
  const std::string_view newline = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  std::vector<std::string_view> lines = Lines(text);
  const Place place = Find(lines, section, key);
  std::string keyLine = std::string(key) + "=" + std::string(value);
  // A line break in a value would start lines of its own.
  for (char& c : keyLine) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::string header(1, '[');
  header += section;
  header += ']';
  if (place.keyLine) {
    lines[*place.keyLine] = keyLine;
  } else if (place.sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*place.sectionEnd), keyLine);
  } else {
    lines.push_back(header);
    lines.push_back(keyLine);
  }
  std::string result;
  for (const std::string_view line : lines) {
    result += line;
    // The line kept its own CR when it had one.
    if (!line.empty() && line.back() == '\r') {
      result += '\n';
    } else {
      result += newline;
    }
  }
  return result;
}

}  // namespace mxt::app
