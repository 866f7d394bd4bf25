#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace mxt::gui {

// A text as the system gives it (a path, say), for the screen.
QString FromSystem(std::string_view text);
// A path the toolkit hands over (from a dialog, say), as the system spells it.
std::string PathToSystem(const QString& path);

}  // namespace mxt::gui
