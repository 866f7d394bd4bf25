#include "platform/PeerCredentials.h"

#include <sys/socket.h>
#include <unistd.h>

namespace mxt::platform {

std::optional<unsigned> PeerUserId(int socket) {
  ucred credentials{};
  socklen_t size = sizeof credentials;
  if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return std::nullopt;
  return credentials.uid;
}

unsigned ThisUserId() {
  return ::getuid();
}

}  // namespace mxt::platform
