#include "gui/InstanceServer.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <memory>
#include <utility>

#include "app/DropBlock.h"
#include "gui/ChannelSocket.h"
#include "platform/PeerCredentials.h"
#include "platform/SystemPaths.h"

namespace mxt::gui {

namespace {

// A connection must get on with it: a second start sends everything at once. One that
// sends a byte now and then is cut off all the same once it has had its time.
constexpr int kStallMilliseconds = 5000;
constexpr int kLongestConnectionMilliseconds = 30000;
constexpr qint64 kMostUnreadAnswerBytes = 64 * 1024;
// Far more than starts ever come at once; connections without end would take every file
// descriptor, and the channel with them.
constexpr qsizetype kMostConnections = 16;

}  // namespace

InstanceServer::InstanceServer(Window window, QObject* parent)
    : QObject(parent), window_(std::move(window)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

// The connections still open close with the server, after this object's members are gone:
// what they sent is no drop for a window that is ending.
InstanceServer::~InstanceServer() {
  for (QLocalSocket* socket : server_.findChildren<QLocalSocket*>(Qt::FindDirectChildrenOnly))
    socket->disconnect(this);
}

void InstanceServer::Open() {
  try {
    platform::RuntimeDirectory();
  } catch (const std::exception& error) {
    window_.noChannel(error.what());
    return;
  }
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
    const bool crowded =
        server_.findChildren<QLocalSocket*>(Qt::FindDirectChildrenOnly).size() > kMostConnections;
    if (crowded || !peer || *peer != platform::ThisUserId()) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    auto connection = std::make_shared<Connection>();
    auto* stall = new QTimer(socket);
    stall->setSingleShot(true);
    connect(stall, &QTimer::timeout, socket, &QLocalSocket::abort);
    const QDeadlineTimer deadline(kLongestConnectionMilliseconds);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, connection, stall, deadline] {
      if (deadline.hasExpired()) return socket->abort();
      stall->start(kStallMilliseconds);
      Serve(*socket, *connection);
    });
    connect(socket, &QLocalSocket::disconnected, this, [this, connection] { Ended(*connection); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    stall->start(kStallMilliseconds);
    if (socket->bytesAvailable() > 0) Serve(*socket, *connection);
  }
}

void InstanceServer::Serve(QLocalSocket& socket, Connection& connection) {
  connection.reader.Feed(BytesOf(socket.readAll()));
  while (socket.state() == QLocalSocket::ConnectedState) {
    auto frame = connection.reader.Next();
    if (!frame) break;
    Act(socket, *frame, connection);
  }
  if (connection.reader.Refused()) socket.abort();
}

// A start's files come in blocks of limited size; the window takes them as one drop, so
// that it counts the names it did not add once.
void InstanceServer::Ended(Connection& connection) {
  if (connection.dropped.empty()) return;
  Later([this, names = std::exchange(connection.dropped, {})] { window_.drop(names); });
}

void InstanceServer::Act(QLocalSocket& socket, const app::HandOverFrame& frame,
                         Connection& connection) {
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
      break;  // every drop over the channel is another start's
    case app::HandOverMessage::DropFiles:
      if (auto names = app::ReadDropBlock(frame.payload))
        connection.dropped.insert(connection.dropped.end(), names->begin(), names->end());
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

}  // namespace mxt::gui
