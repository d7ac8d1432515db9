// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

#include "platform/system/translate.h"
#include "platform/windows/translations.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

TEST(FillTest, PutsEachArgumentInItsPlaceOnce) {
  EXPECT_EQ(Fill("Kanal %1 von %2", {"3", "16"}), "Kanal 3 von 16");
  // A translation may turn the order round.
  EXPECT_EQ(Fill("%2 channels, channel %1", {"3", "16"}), "16 channels, channel 3");
  // What an argument holds is not read again: a file called "%2.csv".
  EXPECT_EQ(Fill("%1 fehlt, %2", {"%2.csv", "x"}), "%2.csv fehlt, x");
  // A percent sign that names no argument stays.
  EXPECT_EQ(Fill("100 % von %1, 50%", {"A"}), "100 % von A, 50%");
  EXPECT_EQ(Fill("%1 und %3", {"A"}), "A und %3");
}

// German is the language the texts are written in; a user who puts it
// before any translated language gets it, everyone else English or a
// language Kurvex has.
TEST(ProgramLanguageTest, GermanForAGermanFirstEnglishForEveryoneElse) {
  EXPECT_EQ(ProgramLanguage({"de-DE", "de"}), "de");
  EXPECT_EQ(ProgramLanguage({"de-AT"}), "de");
  EXPECT_EQ(ProgramLanguage({"en-US", "en"}), "en");
  EXPECT_EQ(ProgramLanguage({"fr-FR", "fr"}), "en");
  EXPECT_EQ(ProgramLanguage({"C"}), "en");
  EXPECT_EQ(ProgramLanguage({}), "en");
  // LANGUAGE=fr:de:en — the first one Kurvex speaks.
  EXPECT_EQ(ProgramLanguage({"fr", "de", "en"}), "de");
  EXPECT_EQ(ProgramLanguage({"en_GB", "de_DE"}), "en");
}

TEST(ProgramLanguageTest, EnglishIsBuiltIn) {
  const std::vector<std::string> languages = TranslatedLanguages();
  EXPECT_NE(std::find(languages.begin(), languages.end(), "en"), languages.end());
}

using ProgramTranslationsTest = QtAppTest;

TEST_F(ProgramTranslationsTest, EnglishTranslatesOursAndFallsBackToTheGermanText) {
  {
    const TProgramTranslations english("en");
    EXPECT_EQ(Tr("Dialogs", "Statusleiste"), "Status bar");
    // A text without a translation is shown as written, never empty.
    EXPECT_EQ(Tr("Dialogs", "Noch nicht übersetzt"), "Noch nicht übersetzt");
    QMessageBox box(QMessageBox::Question, "Kurvex", "?", QMessageBox::Yes);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().toStdString(), "&Yes");
  }
  // Gone with the object.
  EXPECT_EQ(Tr("Dialogs", "Statusleiste"), "Statusleiste");
}

TEST_F(ProgramTranslationsTest, GermanKeepsOurTextsAndTranslatesQts) {
  const TProgramTranslations german("de");
  EXPECT_EQ(Tr("Dialogs", "Statusleiste"), "Statusleiste");
  QMessageBox box(QMessageBox::Question, "Kurvex", "?", QMessageBox::Yes);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text().toStdString(), "&Ja");
}

}  // namespace
}  // namespace kurvex::test
