#include "gui/HandOverClient.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

#include "app/CommandLine.h"
#include "app/DragDropError.h"
#include "app/DropBlock.h"
#include "app/HandOver.h"
#include "app/MessageTexts.h"
#include "gui/ChannelSocket.h"
#include "gui/MessageBox.h"

namespace mxt::gui {

namespace {

constexpr int kAnswerMilliseconds = 3000;

std::span<const std::uint8_t> MarkBytes() {
  return {reinterpret_cast<const std::uint8_t*>(app::kHandOverMark.data()),
          app::kHandOverMark.size()};
}

std::optional<app::InstanceState> AskState(QLocalSocket& socket) {
  Send(socket, app::HandOverMessage::StateQuery);
  app::FrameReader reader;
  while (socket.waitForReadyRead(kAnswerMilliseconds)) {
    reader.Feed(BytesOf(socket.readAll()));
    if (auto frame = reader.Next()) {
      if (frame->type != app::HandOverMessage::State) return std::nullopt;
      return app::DecodeState(frame->payload);
    }
    if (reader.Refused()) return std::nullopt;
  }
  return std::nullopt;
}

void SendFiles(QLocalSocket& socket, const std::vector<std::string>& arguments) {
  const std::vector<std::string> names = app::NamedFiles(arguments);
  for (const app::DropBlock& block : app::MakeDropBlocks(names)) {
    Send(socket, app::HandOverMessage::Mark, MarkBytes());
    Send(socket, app::HandOverMessage::DropFiles, block);
  }
}

// Another window takes the channel over within a retry of the one that kept it ending; a
// start in between waits for it.
bool Connect(QLocalSocket& socket) {
  const QDeadlineTimer deadline(2 * kRetryMilliseconds);
  for (;;) {
    socket.connectToServer(ChannelPath());
    if (socket.waitForConnected(kAnswerMilliseconds)) return true;
    if (deadline.hasExpired()) return false;
    QThread::msleep(100);
  }
}

}  // namespace

void HandOver(const std::vector<std::string>& arguments) {
  QLocalSocket socket;
  if (!Connect(socket)) return;
  const std::optional<app::InstanceState> running = AskState(socket);
  if (!running) return;
  const app::HandOverSteps steps = app::StepsFor(*running);
  if (steps.warnBusy) {
    // The running instance does not wait on a quiet connection while the box is read.
    socket.disconnectFromServer();
    ShowMessage(nullptr, fileconv::MessageKind::Warning, app::message::kBusyInstance,
                fileconv::MessageButtons::Ok);
    if (!Connect(socket)) return;
  }
  for (const app::HandOverMessage message : steps.messages)
    Send(socket, message);
  try {
    if (steps.sendFiles) SendFiles(socket, arguments);
  } catch (const app::DragDropError& error) {
    ShowMessage(nullptr, fileconv::MessageKind::Error, std::string(error.what()) + "。",
                fileconv::MessageButtons::Ok);
  }
  while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kAnswerMilliseconds)) {
  }
  socket.disconnectFromServer();
}

}  // namespace mxt::gui
