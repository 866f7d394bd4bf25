#pragma once

#include <QLocalServer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/HandOverChannel.h"
#include "platform/LockFile.h"

namespace mxt::gui {

// The running instance's end of the local channel over which a second start hands its
// files over. Only this user may connect; every frame and block is checked before it is
// acted on, and a connection that sends rubbish or stalls is dropped.
class InstanceServer : public QObject {
 public:
  // What the channel asks of the main window.
  struct Window {
    std::function<app::InstanceState()> state;
    // Minimize, Restore, Maximize or BringToFront.
    std::function<void(app::HandOverMessage)> show;
    // The files another start handed over: all it sent, as one drop, once it is done.
    std::function<void(const std::vector<std::string>& names)> drop;
    // There is no private folder to open the channel in, for this reason.
    std::function<void(const std::string& reason)> noChannel;
  };

  InstanceServer(Window window, QObject* parent);
  ~InstanceServer() override;
  InstanceServer(const InstanceServer&) = delete;
  InstanceServer& operator=(const InstanceServer&) = delete;
  // Answers on the channel when no other instance does; until then tries again now and
  // then, so that a later start finds this window once the instance that answered ends.
  // Without a private folder for it, says so and never tries.
  void Open();
  bool Listening() const { return server_.isListening(); }

 private:
  // What one connection sent so far: the bytes of a frame not yet whole, and the names of
  // its drop, which come in as many blocks as they need.
  struct Connection {
    app::FrameReader reader;
    std::vector<std::string> dropped;
  };

  // False while another instance keeps the channel, or when it cannot be made.
  bool Listen();
  void Accept();
  void Serve(QLocalSocket& socket, Connection& connection);
  void Act(QLocalSocket& socket, const app::HandOverFrame& frame, Connection& connection);
  void Ended(Connection& connection);
  void Later(std::function<void()> action);
  void DoWhatWasAsked();

  Window window_;
  // Held until the server has closed and removed its socket: another window that takes
  // the lock earlier could have its new socket removed by this one's end.
  std::optional<platform::LockFile> channelLock_;
  QLocalServer server_;
  QTimer retry_;
  // The drops connections asked for, in the order asked. A drop may show a box, whose
  // event loop must run neither inside a socket's signal nor inside an earlier drop.
  std::deque<std::function<void()>> asked_;
  bool doing_ = false;
};

}  // namespace mxt::gui
