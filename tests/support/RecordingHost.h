#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fileconv/RunHost.h"

namespace mxt::testing {

// A window that records what the run asks of it. Questions get `answer`; text widths
// are ten pixels a byte when measuring is on.
class RecordingHost final : public fileconv::RunHost {
 public:
  struct Message {
    fileconv::MessageKind kind;
    std::string text;
  };

  std::vector<Message> messages;
  std::vector<std::string> calls;
  fileconv::MessageAnswer answer = fileconv::MessageAnswer::Ok;
  bool measures = false;
  // Runs when the run lets pending events through, as a click would.
  std::function<void()> onPendingEvents;

  fileconv::MessageAnswer ShowMessage(fileconv::MessageKind kind, std::string_view text,
                                      fileconv::MessageButtons buttons) override;
  std::optional<int> TextWidth(std::string_view text) override;
  void RedrawLine(fileconv::ListId list, std::size_t index) override;
  void RepaintList(fileconv::ListId list) override;
  void SetStatusText(std::string_view text) override;
  void SetCommandsLocked(std::span<const std::string_view> menuItems, bool locked) override;
  void SetConvertButton(std::string_view caption, bool cancels) override;
  void SetBusy(bool busy) override;
  void ProcessPendingEvents() override;
  void ProcessPaintEvents() override;
  void CloseMainWindow() override;
  void SetOverwriteMode() override;
  void ShowOutputList() override;
  void RefreshFocusedEntry() override;
  void FilesAdded(std::size_t firstNewIndex) override;

  // The recorded calls that begin with `prefix`.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
};

}  // namespace mxt::testing
