// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kurvex {

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

}  // namespace kurvex
