#include "gui/SystemText.h"

#include <QFile>

#include "platform/SystemString.h"

namespace mxt::gui {

QString FromSystem(std::string_view text) {
  return QString::fromStdString(platform::SystemStringToUtf8(text));
}

std::string PathToSystem(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

std::optional<std::string> LocalPathOf(const QUrl& url) {
  const QString host = url.host();
  if (!url.isLocalFile() || !(host.isEmpty() || host == QLatin1String("localhost"))) return {};
  // The escapes hold the bytes; decoding them as UTF-8 would lose every other name.
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

QUrl UrlOfPath(std::string_view path) {
  const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
  return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

}  // namespace mxt::gui
