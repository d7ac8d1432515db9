// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/windows/translations.h"
#include "tests/app/mainwindow_fixture.h"

namespace kurvex::test {

/// The program's texts in one language, installed before the window is
/// made: list it as a base before the window's fixture.
struct InLanguage {
  explicit InLanguage(const std::string& language) : translations(language) {}
  TProgramTranslations translations;
};
struct InEnglish : InLanguage {
  InEnglish() : InLanguage("en") {}
};
struct InGerman : InLanguage {
  InGerman() : InLanguage("de") {}
};

/// The window of an English session, in a locale with a decimal point.
class EnglishWindowTest : protected InEnglish, public MainWindowTest {
 protected:
  EnglishWindowTest() : MainWindowTest({'.', ','}) {}
};
/// The window of a German session.
class GermanWindowTest : protected InGerman, public MainWindowTest {};

}  // namespace kurvex::test
