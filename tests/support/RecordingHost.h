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
  // Measures instead, when set.
  std::function<std::optional<int>(std::string_view text)> measure;
  // Runs when the run lets pending events through, as a click would.
  std::function<void()> onPendingEvents;

  fileconv::MessageAnswer ShowMessage(fileconv::MessageKind kind, std::string_view text,
                                      fileconv::MessageButtons buttons) override;
  std::optional<int> TextWidth(std::string_view text) override;
  void FilesAdded(std::size_t firstNewIndex) override;
  void EntryChanged(fileconv::ListId list, std::size_t index) override;
  void ListChanged(fileconv::ListId list) override;
  void RunStarted() override;
  void FileStarted(std::string_view path, std::size_t number, std::size_t count,
                   std::int64_t size) override;
  void FileProgress(int percent) override;
  void FileNote(std::string_view text) override;
  void RunEnded() override;
  void ProcessPendingEvents() override;
  void CloseMainWindow() override;
  void SetOverwriteMode() override;
  void ShowOutputList() override;

  // The recorded calls that begin with `prefix`.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
};

}  // namespace mxt::testing
