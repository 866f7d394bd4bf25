#include "app/ListSelection.h"

#include <algorithm>
#include <string_view>

namespace mxt::app {

int ListSelection::SelectedCount() const {
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

void ListSelection::Reset(int count) {
  selected_.assign(static_cast<std::size_t>(count), false);
  flipped_.clear();
  caret_ = 0;
  anchor_ = 0;
  anchorSelects_ = true;
}

void ListSelection::InsertRows(int first, int count) {
  const bool wasEmpty = selected_.empty();
  selected_.insert(selected_.begin() + first, static_cast<std::size_t>(count), false);
  for (int& row : flipped_) {
    if (row >= first) row += count;
  }
  if (wasEmpty) return;
  if (caret_ >= first) caret_ += count;
  if (anchor_ >= first) anchor_ += count;
}

void ListSelection::Set(int row, bool selected) {
  const auto index = static_cast<std::size_t>(row);
  if (selected_[index] == selected) return;
  selected_[index] = selected;
  flipped_.push_back(row);
}

void ListSelection::SelectOnly(int row) {
  for (int r = 0; r < Count(); ++r)
    Set(r, r == row);
  caret_ = anchor_ = row;
  anchorSelects_ = true;
}

void ListSelection::Toggle(int row) {
  caret_ = anchor_ = row;
  anchorSelects_ = !IsSelected(row);
  Set(row, anchorSelects_);
}

void ListSelection::Extend(int row, bool scrolled) {
  caret_ = row;
  // Outside add mode a deselecting anchor leaves the range at the row itself.
  const bool lone = !addMode_ && !anchorSelects_;
  const int low = lone ? row : std::min(anchor_, row);
  const int high = lone ? row : std::max(anchor_, row);
  for (int r = 0; r < Count(); ++r) {
    if (r < low || r > high) {
      if (!addMode_) Set(r, false);
    } else {
      Set(r, lone ? scrolled : anchorSelects_);
    }
  }
}

void ListSelection::MoveCaret(int row) {
  caret_ = row;
}

void ListSelection::Click(int row, bool shift, bool ctrl) {
  if (shift) {
    // A clicked row is always in view.
    Extend(row, false);
  } else if (ctrl) {
    Toggle(row);
  } else {
    SelectOnly(row);
  }
}

void ListSelection::KeyMove(int row, bool shift, bool space, bool scrolled) {
  if (shift) {
    Extend(row, scrolled);
  } else if (!addMode_) {
    SelectOnly(row);
  } else if (space) {
    Toggle(row);
  } else {
    MoveCaret(row);
  }
}

std::vector<int> ListSelection::TakeFlippedRows() {
  std::vector<int> rows;
  rows.swap(flipped_);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

std::optional<int> KeyTarget(ListKey key, int caret, int count, int pageRows) {
  if (count == 0) return std::nullopt;
  const int last = count - 1;
  switch (key) {
    case ListKey::Space:
      return caret;
    case ListKey::Up:
      return std::max(caret - 1, 0);
    case ListKey::Down:
      return std::min(caret + 1, last);
    case ListKey::PageUp:
      return caret <= 0 ? caret : std::max(caret + 1 - pageRows, 0);
    case ListKey::PageDown:
      return caret >= last ? caret : std::clamp(caret + pageRows - 1, 0, last);
    case ListKey::Home:
      return 0;
    case ListKey::End:
      return last;
  }
  return std::nullopt;
}

namespace {

char UpperAscii(char ch) {
  return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

}  // namespace

bool IsTypeAheadCharacter(char ch) {
  constexpr std::string_view kMarks = " !#$%&'()-@_{}~";
  const char upper = UpperAscii(ch);
  return (upper >= '0' && upper <= '9') || (upper >= 'A' && upper <= 'Z') ||
         kMarks.find(upper) != std::string_view::npos;
}

std::optional<int> TypeAheadTarget(char ch, int caret, int count,
                                   const std::function<char(int)>& firstByte) {
  if (!IsTypeAheadCharacter(ch)) return std::nullopt;
  const char wanted = UpperAscii(ch);
  for (int step = 1; step <= count; ++step) {
    const int row = (caret + step) % count;
    if (UpperAscii(firstByte(row)) == wanted) return row;
  }
  return std::nullopt;
}

bool BeyondDragDistance(int dx, int dy, int dragDistance) {
  return dx > dragDistance || -dx > dragDistance || dy > dragDistance || -dy > dragDistance;
}

}  // namespace mxt::app
