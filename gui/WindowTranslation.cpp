#include "gui/WindowTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>
#include <vector>

#include "app/MessageTexts.h"

namespace mxt::gui {

namespace {

constexpr char kMessageContext[] = "Message";

void Install(QCoreApplication& application, const QString& name, const QString& folder) {
  auto* translator = new QTranslator(&application);
  if (translator->load(name, folder)) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

// Longest first: a text inside a longer one is not translated apart from it.
std::vector<std::string_view> MessageTexts() {
  std::vector<std::string_view> texts(std::begin(fileconv::message::kAll),
                                      std::end(fileconv::message::kAll));
  texts.insert(texts.end(), std::begin(app::message::kAll), std::end(app::message::kAll));
  std::ranges::sort(texts, [](auto a, auto b) { return a.size() > b.size(); });
  return texts;
}

}  // namespace

void InstallTranslations(QCoreApplication& application, app::WindowLanguage language) {
  if (language == app::WindowLanguage::English) {
    Install(application, QStringLiteral("mxt_en"), QStringLiteral(":/translations"));
  } else {
    Install(application, QStringLiteral("qtbase_ja"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  }
}

app::WindowLanguage SystemWindowLanguage(int storedChoice) {
  // The language messages are shown in: LANGUAGE and LC_MESSAGES before LANG.
  const QStringList languages = QLocale::system().uiLanguages();
  const QString first = languages.isEmpty() ? QString() : languages.front();
  return app::ChooseWindowLanguage(storedChoice, first.toStdString());
}

QString TranslatedMessage(std::string_view text) {
  static const std::vector<std::string_view> kTexts = MessageTexts();
  QString translated = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  for (const std::string_view source : kTexts) {
    const QString original =
        QString::fromUtf8(source.data(), static_cast<qsizetype>(source.size()));
    if (!translated.contains(original)) continue;
    translated.replace(original, QCoreApplication::translate(kMessageContext, source.data()));
  }
  return translated;
}

}  // namespace mxt::gui
