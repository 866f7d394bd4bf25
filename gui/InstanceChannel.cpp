#include "gui/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <memory>

#include "app/CommandLine.h"
#include "app/DragDropError.h"
#include "app/DropBlock.h"
#include "app/HandOver.h"
#include "gui/MessageBox.h"
#include "platform/PeerCredentials.h"
#include "platform/SystemPaths.h"

namespace mxt::gui {

namespace {

// A connection must get on with it: a second start sends everything at once.
constexpr int kStallMilliseconds = 5000;
constexpr int kAnswerMilliseconds = 3000;
constexpr int kRetryMilliseconds = 1000;
constexpr qint64 kMostUnreadAnswerBytes = 64 * 1024;

std::span<const std::uint8_t> Bytes(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
          static_cast<std::size_t>(bytes.size())};
}

void Send(QLocalSocket& socket, app::HandOverMessage type,
          std::span<const std::uint8_t> payload = {}) {
  const std::vector<std::uint8_t> frame = app::EncodeFrame(type, payload);
  socket.write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size()));
}

std::span<const std::uint8_t> MarkBytes() {
  return {reinterpret_cast<const std::uint8_t*>(app::kHandOverMark.data()),
          app::kHandOverMark.size()};
}

}  // namespace

InstanceServer::InstanceServer(Window window, QObject* parent)
    : QObject(parent), window_(std::move(window)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

QString InstanceServer::ChannelPath() {
  return QFile::decodeName(platform::RuntimeDirectory().c_str()) +
         QString::fromUtf8(app::kChannelName.data(),
                           static_cast<qsizetype>(app::kChannelName.size()));
}

void InstanceServer::Open() {
  if (Listen()) return;
  connect(&retry_, &QTimer::timeout, this, [this] {
    if (Listen()) retry_.stop();
  });
  retry_.start(kRetryMilliseconds);
}

bool InstanceServer::Listen() {
  QString path;
  try {
    path = ChannelPath();
    channelLock_ = platform::LockFile::TryLock(platform::kChannelLockName,
                                               platform::LockFile::Mode::Exclusive);
  } catch (const std::exception&) {
    return false;  // no private runtime folder: no channel
  }
  if (!channelLock_) return false;
  // A channel left behind belonged to an instance that ended without closing it.
  if (server_.listen(path)) return true;
  QLocalServer::removeServer(path);
  if (server_.listen(path)) return true;
  channelLock_.reset();
  return false;
}

void InstanceServer::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    const auto peer = platform::PeerUserId(static_cast<int>(socket->socketDescriptor()));
    if (!peer || *peer != platform::ThisUserId()) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    auto reader = std::make_shared<app::FrameReader>();
    auto* stall = new QTimer(socket);
    stall->setSingleShot(true);
    connect(stall, &QTimer::timeout, socket, &QLocalSocket::abort);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader, stall] {
      stall->start(kStallMilliseconds);
      Serve(*socket, *reader);
    });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    stall->start(kStallMilliseconds);
    if (socket->bytesAvailable() > 0) Serve(*socket, *reader);
  }
}

void InstanceServer::Serve(QLocalSocket& socket, app::FrameReader& reader) {
  reader.Feed(Bytes(socket.readAll()));
  while (socket.state() == QLocalSocket::ConnectedState) {
    auto frame = reader.Next();
    if (!frame) break;
    Act(socket, *frame);
  }
  if (reader.Refused()) socket.abort();
}

void InstanceServer::Act(QLocalSocket& socket, const app::HandOverFrame& frame) {
  switch (frame.type) {
    case app::HandOverMessage::StateQuery:
      // A client that asks and never reads the answers is not fed without end.
      if (socket.bytesToWrite() > kMostUnreadAnswerBytes) return socket.abort();
      Send(socket, app::HandOverMessage::State, app::EncodeState(window_.state()));
      break;
    case app::HandOverMessage::Minimize:
    case app::HandOverMessage::Restore:
    case app::HandOverMessage::Maximize:
    case app::HandOverMessage::BringToFront:
      // At once: a box an earlier drop shows is what comes forward.
      window_.show(frame.type);
      break;
    case app::HandOverMessage::Mark:
      if (std::equal(frame.payload.begin(), frame.payload.end(), MarkBytes().begin(),
                     MarkBytes().end())) {
        Later([this] { window_.mark(); });
      }
      break;
    case app::HandOverMessage::DropFiles:
      if (auto names = app::ReadDropBlock(frame.payload))
        Later([this, names = std::move(*names)]() mutable { window_.drop(std::move(names)); });
      break;
    case app::HandOverMessage::State:
      break;  // only the running instance answers with it
  }
}

void InstanceServer::Later(std::function<void()> action) {
  asked_.push_back(std::move(action));
  if (asked_.size() == 1 && !doing_) QTimer::singleShot(0, this, &InstanceServer::DoWhatWasAsked);
}

// Scheduled only while nothing is being done, so it never runs inside itself.
void InstanceServer::DoWhatWasAsked() {
  doing_ = true;
  while (!asked_.empty()) {
    const std::function<void()> action = std::move(asked_.front());
    asked_.pop_front();
    action();
  }
  doing_ = false;
}

namespace {

std::optional<app::InstanceState> AskState(QLocalSocket& socket) {
  Send(socket, app::HandOverMessage::StateQuery);
  app::FrameReader reader;
  while (socket.waitForReadyRead(kAnswerMilliseconds)) {
    reader.Feed(Bytes(socket.readAll()));
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
    socket.connectToServer(InstanceServer::ChannelPath());
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
    ShowMessage(nullptr, fileconv::MessageKind::Warning, app::kBusyInstanceMessage,
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
