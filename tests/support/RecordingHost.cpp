#include "tests/support/RecordingHost.h"

namespace mxt::testing {

using fileconv::ListId;

namespace {

std::string ListName(ListId list) {
  return list == ListId::Input ? "input" : "output";
}

}  // namespace

fileconv::MessageAnswer RecordingHost::ShowMessage(fileconv::MessageKind kind,
                                                   std::string_view text,
                                                   fileconv::MessageButtons buttons) {
  messages.push_back({kind, std::string(text)});
  calls.push_back("message " + std::string(text));
  return buttons == fileconv::MessageButtons::Ok ? fileconv::MessageAnswer::Ok : answer;
}

std::optional<int> RecordingHost::TextWidth(std::string_view text) {
  if (measure) return measure(text);
  if (!measures) return std::nullopt;
  return static_cast<int>(text.size()) * 10;
}

void RecordingHost::FilesAdded(std::size_t firstNewIndex) {
  calls.push_back("files added " + std::to_string(firstNewIndex));
}
void RecordingHost::EntryChanged(ListId list, std::size_t index) {
  calls.push_back("redraw " + ListName(list) + " " + std::to_string(index));
}
void RecordingHost::ListChanged(ListId list) {
  calls.push_back("repaint " + ListName(list));
}
void RecordingHost::RunStarted() {
  calls.push_back("run started");
}
void RecordingHost::FileStarted(std::string_view path, std::size_t number, std::size_t count,
                                std::int64_t) {
  calls.push_back("file " + std::string(path) + " " + std::to_string(number) + "/" +
                  std::to_string(count));
}
void RecordingHost::FileProgress(int percent) {
  calls.push_back("progress " + std::to_string(percent));
}
void RecordingHost::FileNote(std::string_view text) {
  calls.push_back("note " + std::string(text));
}
void RecordingHost::RunEnded() {
  calls.push_back("run ended");
}
void RecordingHost::ProcessPendingEvents() {
  calls.push_back("events");
  if (onPendingEvents) onPendingEvents();
}
void RecordingHost::CloseMainWindow() {
  calls.push_back("close");
}
void RecordingHost::SetOverwriteMode() {
  calls.push_back("overwrite mode");
}
void RecordingHost::ShowOutputList() {
  calls.push_back("show output list");
}

std::vector<std::string> RecordingHost::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

}  // namespace mxt::testing
