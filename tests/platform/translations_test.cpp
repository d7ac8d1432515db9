// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

#include "platform/windows/translations.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

using ToolkitTranslations = test::QtAppTest;

// The items' texts without their shortcuts ("&Undo\tCtrl+Z").
QStringList MenuTexts(QLineEdit& edit) {
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) texts << action->text().section('\t', 0, 0);
  return texts;
}

TEST_F(ToolkitTranslations, AGermanSessionGetsGermanDialogsButtonsAndMenus) {
  QLineEdit edit;
  {
    const TToolkitTranslations german("de_DE");
    QFileDialog save;
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(save.windowTitle().toStdString(), "Speichern unter");
    const auto* nameLabel = save.findChild<QLabel*>("fileNameLabel");
    ASSERT_NE(nameLabel, nullptr);
    EXPECT_EQ(nameLabel->text().toStdString(), "Datei&name:");
    const char* prompt = "%1 already exists.\nDo you want to replace it?";
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", prompt).toStdString(),
              "Die Datei %1 existiert bereits.\nSoll sie überschrieben werden?");

    QMessageBox box(QMessageBox::Question, "Kurvex", "?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().toStdString(), "&Ja");
    EXPECT_EQ(box.button(QMessageBox::No)->text().toStdString(), "&Nein");
    EXPECT_TRUE(MenuTexts(edit).contains("&Rückgängig"));
  }
  // Gone with the object.
  EXPECT_TRUE(MenuTexts(edit).contains("&Undo"));
}

TEST_F(ToolkitTranslations, ALanguageWithoutTranslationsKeepsQtsEnglish) {
  const TToolkitTranslations none("C");
  QMessageBox box(QMessageBox::Question, "Kurvex", "?", QMessageBox::Yes);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text().toStdString(), "&Yes");
}

}  // namespace
}  // namespace kurvex
