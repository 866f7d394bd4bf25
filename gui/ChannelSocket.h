#pragma once

#include <QByteArray>
#include <QLocalSocket>
#include <QString>
#include <cstdint>
#include <span>

#include "app/HandOverChannel.h"

namespace mxt::gui {

// How often a window tries again to take the channel over.
inline constexpr int kRetryMilliseconds = 1000;

// Where the channel lives: in the per-user runtime folder.
QString ChannelPath();

std::span<const std::uint8_t> BytesOf(const QByteArray& bytes);

// Writes one frame.
void Send(QLocalSocket& socket, app::HandOverMessage type,
          std::span<const std::uint8_t> payload = {});

}  // namespace mxt::gui
