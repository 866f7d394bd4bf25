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
  if (!measures) return std::nullopt;
  return static_cast<int>(text.size()) * 10;
}

void RecordingHost::RedrawLine(ListId list, std::size_t index) {
  calls.push_back("redraw " + ListName(list) + " " + std::to_string(index));
}
void RecordingHost::RepaintList(ListId list) {
  calls.push_back("repaint " + ListName(list));
}
void RecordingHost::SetStatusText(std::string_view text) {
  calls.push_back("status " + std::string(text));
}
void RecordingHost::SetCommandsLocked(std::span<const std::string_view> menuItems, bool locked) {
  calls.push_back((locked ? "lock " : "unlock ") + std::to_string(menuItems.size()));
}
void RecordingHost::SetConvertButton(std::string_view caption, bool cancels) {
  calls.push_back("button " + std::string(caption) + (cancels ? " cancels" : ""));
}
void RecordingHost::SetBusy(bool busy) {
  calls.push_back(busy ? "busy" : "idle");
}
void RecordingHost::ProcessPendingEvents() {
  calls.push_back("events");
  if (onPendingEvents) onPendingEvents();
}
void RecordingHost::ProcessPaintEvents() {
  calls.push_back("paint");
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
void RecordingHost::RefreshFocusedEntry() {
  calls.push_back("refresh focus");
}
void RecordingHost::FilesAdded(std::size_t firstNewIndex) {
  calls.push_back("files added " + std::to_string(firstNewIndex));
}

std::vector<std::string> RecordingHost::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

}  // namespace mxt::testing
