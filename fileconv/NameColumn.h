#pragma once

#include <array>
#include <string>
#include <string_view>

#include "fileconv/RunHost.h"

namespace mxt::fileconv {

// Where the file lists' name column ends and their status columns begin, in pixels of the
// list font.
class NameColumn {
 public:
  // From the list font, as before any name was measured: the name column is sixteen "x"
  // wide, the status columns follow it.
  void Measure(RunHost& host);
  // The longest prefix of whole characters of `name` that fits the column, with "...", or
  // the name when it fits; `width` receives the name's own width (0 when it cannot be
  // measured).
  std::string Shorten(std::string_view name, RunHost& host, int& width) const;
  // The status columns after `widestName` when names are shown whole, after the name
  // column otherwise; true when they moved.
  bool Fit(int widestName, bool namesWhole);

  int Width() const { return width_; }
  // Where the status word and the detail after it begin, from the start of a line's text.
  const std::array<int, 2>& StatusTabStops() const { return statusTabStops_; }

 private:
  int width_ = 0;
  std::array<int, 2> statusTabStops_{};
};

}  // namespace mxt::fileconv
