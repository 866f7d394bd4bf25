#include "app/WindowLanguage.h"

namespace mxt::app {

WindowLanguage ChooseWindowLanguage(int storedChoice, std::string_view systemLocale) {
  if (storedChoice == 1) return WindowLanguage::Japanese;
  if (storedChoice == 2) return WindowLanguage::English;
  const std::string_view language = systemLocale.substr(0, systemLocale.find_first_of("_.@-"));
  const bool ownTexts =
      language.empty() || language == "ja" || language == "C" || language == "POSIX";
  return ownTexts ? WindowLanguage::Japanese : WindowLanguage::English;
}

}  // namespace mxt::app
