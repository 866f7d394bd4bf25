#pragma once

#include <QString>
#include <QUrl>
#include <optional>
#include <string>
#include <string_view>

namespace mxt::gui {

// A text as the system gives it (a path, say), for the screen.
QString FromSystem(std::string_view text);
// A path the toolkit hands over (from a dialog, say), as the system spells it.
std::string PathToSystem(const QString& path);
// The path of a file URL on this machine, byte for byte as the system spells it, also
// where the bytes are not UTF-8; nothing for any other URL.
std::optional<std::string> LocalPathOf(const QUrl& url);
// The file URL of a path, its bytes kept in the URL's percent escapes.
QUrl UrlOfPath(std::string_view path);

}  // namespace mxt::gui
