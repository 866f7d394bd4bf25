#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "fileconv/FileEntry.h"

namespace mxt::fileconv {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// "警告", "ｴﾗｰ", "情報", "確認".
std::string_view MessageCaption(MessageKind kind);

// Whatever tells the user the program's messages: a box over the window, a line on
// standard error.
class MessageHost {
 public:
  virtual ~MessageHost() = default;

  // A "\r" in the text is a line break.
  virtual MessageAnswer ShowMessage(MessageKind kind, std::string_view text,
                                    MessageButtons buttons) = 0;
};

// What the file list and the conversion run need of the window. The window, the console
// batch and the tests implement it.
class RunHost : public MessageHost {
 public:
  // A text's width in pixels in the list font; nothing when it cannot be measured.
  virtual std::optional<int> TextWidth(std::string_view text) = 0;

  // Entries were appended to the input list, the first of them at `firstNewIndex`.
  virtual void FilesAdded(std::size_t firstNewIndex) = 0;
  // One entry's result or picture changed.
  virtual void EntryChanged(ListId list, std::size_t index) = 0;
  // Every entry of the list changed.
  virtual void ListChanged(ListId list) = 0;

  // A run begins: the commands it must not meet are locked, the convert button stops it
  // (Escape too), the window takes no drop.
  virtual void RunStarted() = 0;
  // The run converts `path`, of `size` bytes, the `number`th of the `count` files it converts.
  virtual void FileStarted(std::string_view path, std::size_t number, std::size_t count,
                           std::int64_t size) = 0;
  // How many percent of a large file have been read; shown at once, since the file keeps
  // the window busy until its end.
  virtual void FileProgress(int percent) = 0;
  // A word on the file in hand that no box need interrupt the run for, such as the first
  // character its output code had no place for: the status line, or standard error.
  virtual void FileNote(std::string_view text) = 0;
  // The run ended, however it ended: the window is as it was before it.
  virtual void RunEnded() = 0;
  // Between files: lets repaints, the abort click and a close request through.
  virtual void ProcessPendingEvents() = 0;
  // Ends the program as its exit command does.
  virtual void CloseMainWindow() = 0;

  // Back to overwrite mode: the output list and its entry go.
  virtual void SetOverwriteMode() = 0;
  // Output-to-file mode with a new output entry: the output list is laid out and shown.
  virtual void ShowOutputList() = 0;
};

}  // namespace mxt::fileconv
