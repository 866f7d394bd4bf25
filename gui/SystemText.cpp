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

}  // namespace mxt::gui
