#include "fileconv/NameColumn.h"

#include <algorithm>
#include <vector>

#include "platform/FileNameRule.h"

namespace mxt::fileconv {

namespace {

// Byte lengths of the name's characters, a double-byte character counted as one.
std::vector<std::size_t> CharacterEnds(std::string_view name) {
  const auto& rule = platform::SystemFileNameRule();
  std::vector<std::size_t> ends;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(name[i]); };
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (rule.isLeadByte(byte(i)) && i + 1 < name.size()) ++i;
    while (i + 1 < name.size() && rule.continuesCharacter(byte(i + 1)))
      ++i;
    ends.push_back(i + 1);
  }
  return ends;
}

constexpr int kGap = 8;

}  // namespace

void NameColumn::Measure(RunHost& host) {
  const int x = host.TextWidth("x").value_or(6);
  const int converted = host.TextWidth("Converted:").value_or(54);
  width_ = 16 * x;
  statusTabStops_ = {width_ + kGap, width_ + converted + 12};
}

std::string NameColumn::Shorten(std::string_view name, RunHost& host, int& width) const {
  const std::optional<int> measured = host.TextWidth(name);
  width = measured.value_or(0);
  if (!measured || *measured <= width_) return std::string(name);
  const std::vector<std::size_t> ends = CharacterEnds(name);
  const auto candidate = [&](std::size_t characters) {
    return std::string(name.substr(0, ends[characters - 1])) + "...";
  };
  // The longest of 1 .. n - 1 characters with "..." that fits: a longer prefix is never
  // narrower, so it is searched by halves rather than a character at a time, which long
  // names in their thousands would feel.
  std::size_t fits = 0;
  std::size_t tooWide = ends.size();
  while (tooWide - fits > 1) {
    const std::size_t middle = fits + (tooWide - fits) / 2;
    const std::optional<int> cut = host.TextWidth(candidate(middle));
    if (!cut) return candidate(middle);
    (*cut <= width_ ? fits : tooWide) = middle;
  }
  return fits > 0 ? candidate(fits) : std::string(name.substr(0, ends.front()));
}

bool NameColumn::Fit(int widestName, bool namesWhole) {
  const int first = (namesWhole ? std::max(widestName, width_) : width_) + kGap;
  const int shift = first - statusTabStops_[0];
  if (shift == 0) return false;
  statusTabStops_[0] += shift;
  statusTabStops_[1] += shift;
  return true;
}

}  // namespace mxt::fileconv
