#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace mxt::app {

// The keys that move the caret of a file list; Left and Right count as Up and Down.
enum class ListKey { Space, Up, Down, PageUp, PageDown, Home, End };

// The selection of a multiple-selection file list with its caret, anchor and add mode,
// kept apart from any widget so that its rules can be checked alone. Rows are numbered
// from 0; the caret is 0 in an empty list.
class ListSelection {
 public:
  int Count() const { return static_cast<int>(selected_.size()); }
  int Caret() const { return caret_; }
  int Anchor() const { return anchor_; }
  bool AnchorSelects() const { return anchorSelects_; }
  bool IsSelected(int row) const { return selected_[static_cast<std::size_t>(row)]; }
  int SelectedCount() const;
  bool AddMode() const { return addMode_; }
  void SetAddMode(bool on) { addMode_ = on; }

  // A list of `count` rows, none selected.
  void Reset(int count);
  // Rows put in before `first`; the rows at and after it keep their state.
  void InsertRows(int first, int count);

  void SelectOnly(int row);
  void Toggle(int row);
  // `scrolled`: reaching the row made the list scroll, which decides a lone row's state
  // when the anchor deselects.
  void Extend(int row, bool scrolled);
  void MoveCaret(int row);

  // A left press on a row, with the key state of the press.
  void Click(int row, bool shift, bool ctrl);
  // A movement key, Space or a type-ahead match reaching `row`.
  void KeyMove(int row, bool shift, bool space, bool scrolled);

  // The rows whose selected state changed since the last call, each once.
  std::vector<int> TakeFlippedRows();

 private:
  void Set(int row, bool selected);

  std::vector<bool> selected_;
  std::vector<int> flipped_;
  int caret_ = 0;
  int anchor_ = 0;
  bool anchorSelects_ = true;
  bool addMode_ = false;
};

// The row a key moves the caret to; `pageRows` is the list's whole height, border
// included, divided by the row height. Nothing for an empty list.
std::optional<int> KeyTarget(ListKey key, int caret, int count, int pageRows);

// Whether typing `ch` looks for a row: a letter, a digit, or one of the characters a file
// name may begin with.
bool IsTypeAheadCharacter(char ch);

// The first row after the caret whose name begins with `ch` (letters in either case),
// wrapping round to the caret itself. `firstByte` gives a row's first name byte.
std::optional<int> TypeAheadTarget(char ch, int caret, int count,
                                   const std::function<char(int)>& firstByte);

// Whether the mouse has moved far enough from the press for a drag.
bool BeyondDragDistance(int dx, int dy, int dragDistance);

}  // namespace mxt::app
