#include "app/ListRowHeight.h"

#include <cctype>
#include <cstdlib>

namespace mxt::app {

namespace {

constexpr int kIconHeight = 16;

bool SameFace(std::string_view family, std::string_view face) {
  if (!family.empty() && family.front() == '@') family.remove_prefix(1);
  if (family.size() != face.size()) return false;
  for (std::size_t i = 0; i < face.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(family[i])) !=
        std::tolower(static_cast<unsigned char>(face[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

ListFontFace ClassifyListFontFace(std::string_view family) {
  if (SameFace(family, "System")) return ListFontFace::System;
  if (SameFace(family, "FixedSys")) return ListFontFace::FixedSys;
  return ListFontFace::Other;
}

ListRowMetrics ComputeListRowMetrics(ListFontFace face, int fontHeight,
                                     std::optional<int> textHeight,
                                     std::optional<int> spaceHeight) {
  ListRowMetrics metrics{4 - fontHeight, 0};
  switch (face) {
    case ListFontFace::System:
      if (textHeight) metrics.rowHeight = *textHeight + 4;
      break;
    case ListFontFace::FixedSys:
      if (spaceHeight) {
        metrics.textTopBase = -2;
        metrics.rowHeight = *spaceHeight;
      }
      break;
    case ListFontFace::Other:
      if (textHeight) metrics.textTopBase = (std::abs(fontHeight) - *textHeight - 1) / 2;
      break;
  }
  if (metrics.rowHeight < kIconHeight) {
    metrics.textTopBase += (kIconHeight + 1 - metrics.rowHeight) / 2;
    metrics.rowHeight = kIconHeight;
  }
  return metrics;
}

}  // namespace mxt::app
