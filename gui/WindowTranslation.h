#pragma once

#include <QString>
#include <string_view>

#include "app/WindowLanguage.h"

class QCoreApplication;

namespace mxt::gui {

// The window speaks `language`: English through MXT's own translation, Japanese with Qt's
// dialogs and menus in Japanese too. The translators belong to the application.
void InstallTranslations(QCoreApplication& application, app::WindowLanguage language);

// The language the stored choice and the system's locale give the window.
app::WindowLanguage SystemWindowLanguage(int storedChoice);

// A message made below the window, in the window's language: the texts of the message
// tables in it are translated, the names and numbers between them stay as they are.
QString TranslatedMessage(std::string_view text);

}  // namespace mxt::gui
