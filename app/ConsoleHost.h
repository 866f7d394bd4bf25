#pragma once

#include <iosfwd>

#include "fileconv/RunHost.h"

namespace mxt::app {

// The window of a batch run without a display: messages and notes go to standard error, a
// question is answered Cancel, and nothing is drawn or measured.
class ConsoleHost final : public fileconv::RunHost {
 public:
  explicit ConsoleHost(std::ostream& errors) : errors_(errors) {}

  fileconv::MessageAnswer ShowMessage(fileconv::MessageKind kind, std::string_view text,
                                      fileconv::MessageButtons buttons) override;
  std::optional<int> TextWidth(std::string_view) override { return std::nullopt; }
  void FilesAdded(std::size_t) override {}
  void EntryChanged(fileconv::ListId, std::size_t) override {}
  void ListChanged(fileconv::ListId) override {}
  void RunStarted() override {}
  void FileStarted(std::string_view, std::size_t, std::size_t, std::int64_t) override {}
  void FileProgress(int) override {}
  void FileNote(std::string_view text) override;
  void RunEnded() override {}
  void ProcessPendingEvents() override {}
  void CloseMainWindow() override {}
  void SetOverwriteMode() override {}
  void ShowOutputList() override {}

 private:
  std::ostream& errors_;
};

}  // namespace mxt::app
