#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace mxt::fileconv {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// "警告", "ｴﾗｰ", "情報", "確認".
std::string_view MessageCaption(MessageKind kind);

enum class ListId { Input = 0, Output = 1 };

// What the file list and the conversion run need of the window. The window, the
// console batch and the tests implement it.
class RunHost {
 public:
  virtual ~RunHost() = default;

  // A "\r" in the text is a line break.
  virtual MessageAnswer ShowMessage(MessageKind kind, std::string_view text,
                                    MessageButtons buttons) = 0;

  // A text's width in pixels in the list font; nothing when it cannot be measured.
  virtual std::optional<int> TextWidth(std::string_view text) = 0;

  virtual void RedrawLine(ListId list, std::size_t index) = 0;
  virtual void RepaintList(ListId list) = 0;
  // Painted at once: a long file keeps the window busy meanwhile.
  virtual void SetStatusText(std::string_view text) = 0;
  // Menu items by caption, and the toolbar buttons that go with them.
  virtual void SetCommandsLocked(std::span<const std::string_view> menuItems, bool locked) = 0;
  // The convert button's caption; while a run goes on it is the cancel button (Esc).
  virtual void SetConvertButton(std::string_view caption, bool cancels) = 0;
  // Hourglass cursor, and no dropped files accepted.
  virtual void SetBusy(bool busy) = 0;
  // Lets repaints, the abort click and a close request through.
  virtual void ProcessPendingEvents() = 0;
  // Lets only repaints through, in the middle of a file.
  virtual void ProcessPaintEvents() = 0;
  // Ends the program as its exit command does.
  virtual void CloseMainWindow() = 0;
  // Back to overwrite mode: the output list and its entry go.
  virtual void SetOverwriteMode() = 0;
  // Output-to-file mode with a new output entry: the output list is laid out and shown.
  virtual void ShowOutputList() = 0;
  // The list that has the focus shows its current entry on the status line again.
  virtual void RefreshFocusedEntry() = 0;
  // After files were added: the commands that need a file are enabled.
  virtual void FilesAdded(std::size_t firstNewIndex) = 0;
};

}  // namespace mxt::fileconv
