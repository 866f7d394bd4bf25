#include "gui/ChannelSocket.h"

#include <QFile>
#include <vector>

#include "platform/SystemPaths.h"

namespace mxt::gui {

QString ChannelPath() {
  return QFile::decodeName(platform::RuntimeDirectory().c_str()) +
         QString::fromUtf8(app::kChannelName.data(),
                           static_cast<qsizetype>(app::kChannelName.size()));
}

std::span<const std::uint8_t> BytesOf(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
          static_cast<std::size_t>(bytes.size())};
}

void Send(QLocalSocket& socket, app::HandOverMessage type, std::span<const std::uint8_t> payload) {
  const std::vector<std::uint8_t> frame = app::EncodeFrame(type, payload);
  socket.write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size()));
}

}  // namespace mxt::gui
