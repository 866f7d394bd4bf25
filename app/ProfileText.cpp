#include "app/ProfileText.h"

#include <algorithm>
#include <vector>

namespace mxt::app {

namespace {

constexpr std::string_view kBlanks = " \t";

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

// The byte-order mark an editor may put before the first line; it stays where it is.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view ByteOrderMarkOf(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? kByteOrderMark : std::string_view();
}

// A line without its line break, and the break that ends it: CR LF, LF, a CR alone (as in
// files of old Macintosh editors), or none at the end of the text.
struct Line {
  std::string_view text;
  std::string_view end;
};

std::vector<Line> Lines(std::string_view text) {
  text.remove_prefix(ByteOrderMarkOf(text).size());
  std::vector<Line> lines;
  while (!text.empty()) {
    const auto at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) {
      lines.push_back({text, {}});
      break;
    }
    const std::size_t breakLength = text.substr(at, 2) == "\r\n" ? 2 : 1;
    lines.push_back({text.substr(0, at), text.substr(at, breakLength)});
    text.remove_prefix(at + breakLength);
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

Place Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place;
  bool inside = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = SectionOf(lines[i].text)) {
      if (place.sectionEnd) break;
      inside = SameName(*name, section);
      if (inside) place.sectionEnd = i + 1;
      continue;
    }
    if (!inside) continue;
    if (!Trimmed(lines[i].text).empty()) place.sectionEnd = i + 1;
    const auto keyLine = KeyOf(lines[i].text);
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
  return std::string(KeyOf(lines[*place.keyLine].text)->value.substr(0, kProfileValueLimit));
}

bool ReadsBackAsWritten(std::string_view value) {
  return value.size() <= kProfileValueLimit && value.find_first_of("\r\n") == value.npos &&
         Trimmed(value) == value;
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
  std::vector<Line> lines = Lines(text);
  // New lines end as the file's first line does.
  const auto ended =
      std::find_if(lines.begin(), lines.end(), [](const Line& line) { return !line.end.empty(); });
  const std::string_view newline = ended == lines.end() ? "\n" : ended->end;
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
    lines[*place.keyLine].text = keyLine;
  } else if (place.sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*place.sectionEnd), {keyLine, {}});
  } else {
    lines.push_back({header, {}});
    lines.push_back({keyLine, {}});
  }
  std::string result(ByteOrderMarkOf(text));
  for (const Line& line : lines) {
    result += line.text;
    result += line.end.empty() ? newline : line.end;
  }
  return result;
}

}  // namespace mxt::app
