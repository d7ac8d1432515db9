// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>

namespace kurvex {

namespace {

// Where the program carries its compiled translations.
const QString kTranslationsDirectory = QStringLiteral(":/translations");
// The language the texts are written in.
constexpr const char* kSourceLanguage = "de";

QString LanguageOf(const QString& uiLanguage) {
  return uiLanguage.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

}  // namespace

TToolkitTranslations::TToolkitTranslations(const std::string& locale) {
  const QLocale language =
      locale.empty() ? QLocale::system() : QLocale(QString::fromStdString(locale));
  auto translator = std::make_unique<QTranslator>();
  if (translator->load(language, "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator.get())) {
    m_translator = std::move(translator);
  }
}

TToolkitTranslations::~TToolkitTranslations() {
  if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
}

std::vector<std::string> TranslatedLanguages() {
  std::vector<std::string> languages;
  const QStringList files = QDir(kTranslationsDirectory).entryList({QStringLiteral("kurvex_*.qm")}, QDir::Files);
  for (const QString& file : files) {
    languages.push_back(file.section(QLatin1Char('_'), 1).section(QLatin1Char('.'), 0, 0).toStdString());
  }
  return languages;
}

std::string ProgramLanguage(const std::vector<std::string>& uiLanguages) {
  const std::vector<std::string> translated = TranslatedLanguages();
  for (const std::string& uiLanguage : uiLanguages) {
    const std::string language = LanguageOf(QString::fromStdString(uiLanguage)).toStdString();
    if (language == kSourceLanguage) return language;
    if (std::find(translated.begin(), translated.end(), language) != translated.end()) return language;
  }
  return "en";
}

std::vector<std::string> SystemUiLanguages() {
  std::vector<std::string> languages;
  for (const QString& language : QLocale::system().uiLanguages()) languages.push_back(language.toStdString());
  return languages;
}

TProgramTranslations::TProgramTranslations(const std::string& language) : m_toolkit(language) {
  if (language == kSourceLanguage) return;
  auto translator = std::make_unique<QTranslator>();
  if (translator->load(QStringLiteral("kurvex_") + QString::fromStdString(language), kTranslationsDirectory) &&
      QCoreApplication::installTranslator(translator.get())) {
    m_translator = std::move(translator);
  }
}

TProgramTranslations::~TProgramTranslations() {
  if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
}

}  // namespace kurvex
