#pragma once

#include <string_view>

namespace mxt::app {

enum class WindowLanguage { Japanese, English };

// The language of the window: the stored "Language" (1 Japanese, 2 English), or with 0 the
// system's, named as a locale ("ja_JP", "en_GB", "C"). Japanese is the program's own: a
// Japanese system and one with no language (C, POSIX) get it, any other English.
WindowLanguage ChooseWindowLanguage(int storedChoice, std::string_view systemLocale);

}  // namespace mxt::app
