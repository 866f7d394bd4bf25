#pragma once

#include <optional>

namespace mxt::platform {

// The user on the other end of a connected local socket; nothing when the system cannot
// tell.
std::optional<unsigned> PeerUserId(int socket);

// This process's user.
unsigned ThisUserId();

}  // namespace mxt::platform
