// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

class QTranslator;

namespace kurvex {

/// Qt's own texts (file dialogs and their prompts, standard buttons, the
/// edit fields' context menu) in the language of `locale`, e.g. "de_DE", or
/// of the system locale when it is empty, for as long as the object lives.
/// A language without installed translations keeps Qt's English.
/// Needs the application object; GUI thread.
class TToolkitTranslations {
 public:
  explicit TToolkitTranslations(const std::string& locale = {});
  ~TToolkitTranslations();
  TToolkitTranslations(const TToolkitTranslations&) = delete;
  TToolkitTranslations& operator=(const TToolkitTranslations&) = delete;

 private:
  std::unique_ptr<QTranslator> m_translator;  // installed while set
};

/// The languages the program's texts are translated into ("en"), besides
/// German, which they are written in.
std::vector<std::string> TranslatedLanguages();

/// The language the program speaks to a user who prefers `uiLanguages` in
/// this order ("de-DE", "fr", "en-US"): German ("de") if a German one comes
/// before any translated one, else the first translated one, else English.
std::string ProgramLanguage(const std::vector<std::string>& uiLanguages);

/// The user's languages in order of preference, as the system locale gives
/// them (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
std::vector<std::string> SystemUiLanguages();

/// The program's texts and Qt's own in `language` ("de", "en"), for as long
/// as the object lives. German installs no translation of the program's
/// texts: they are written in it. Needs the application object; GUI thread.
class TProgramTranslations {
 public:
  explicit TProgramTranslations(const std::string& language = ProgramLanguage(SystemUiLanguages()));
  ~TProgramTranslations();
  TProgramTranslations(const TProgramTranslations&) = delete;
  TProgramTranslations& operator=(const TProgramTranslations&) = delete;

 private:
  std::unique_ptr<QTranslator> m_translator;  // installed while set
  TToolkitTranslations m_toolkit;
};

}  // namespace kurvex
