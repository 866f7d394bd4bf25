#pragma once

#include <optional>
#include <string_view>

namespace mxt::app {

// The two bitmap faces whose rows are measured their own way.
enum class ListFontFace { Other, System, FixedSys };

// "System", "FixedSys" and their vertical "@" forms, in any letter case.
ListFontFace ClassifyListFontFace(std::string_view family);

struct ListRowMetrics {
  int rowHeight = 0;
  // How far a row's text starts below the row's text origin.
  int textTopBase = 0;
};

// A file list's row for a font. `fontHeight` is negative for the character height in
// pixels; the text height and the height of " " are absent when they cannot be measured.
// Rows are never lower than the 16-pixel icons.
ListRowMetrics ComputeListRowMetrics(ListFontFace face, int fontHeight,
                                     std::optional<int> textHeight, std::optional<int> spaceHeight);

}  // namespace mxt::app
