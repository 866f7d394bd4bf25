#pragma once

#include <iosfwd>

#include "fileconv/RunHost.h"

namespace mxt::app {

// The window of a batch run without a display: messages go to standard error, a question
// is answered Cancel, and nothing is drawn or measured.
class ConsoleHost final : public fileconv::RunHost {
 public:
  explicit ConsoleHost(std::ostream& errors) : errors_(errors) {}

  fileconv::MessageAnswer ShowMessage(fileconv::MessageKind kind, std::string_view text,
                                      fileconv::MessageButtons buttons) override;
  std::optional<int> TextWidth(std::string_view) override { return std::nullopt; }
  void RedrawLine(fileconv::ListId, std::size_t) override {}
  void RepaintList(fileconv::ListId) override {}
  void SetStatusText(std::string_view) override {}
  void SetCommandsLocked(std::span<const std::string_view>, bool) override {}
  void SetConvertButton(std::string_view, bool) override {}
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
  void ProcessPaintEvents() override {}
  void CloseMainWindow() override {}
  void SetOverwriteMode() override {}
  void ShowOutputList() override {}
  void RefreshFocusedEntry() override {}
  void FilesAdded(std::size_t) override {}

 private:
  std::ostream& errors_;
};

}  // namespace mxt::app
