// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "tests/widgets/numedit_fixture.h"

namespace kurvex {
namespace {

using NumEditShortcuts = test::NumEditFixture;

QString Clipboard() { return QGuiApplication::clipboard()->text(); }

TEST_F(NumEditShortcuts, SelectCopyCutAndUndoWorkAsInAnyField) {
  for (TNumEdit* field : {&real, &whole}) {
    SCOPED_TRACE(field == &real ? "float field" : "integer field");
    field->SetText("42");
    const std::string shown = field->Text();
    field->SetFocus();
    Press(*field, Qt::Key_End);
    Press(*field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Edit(*field)->selectedText().toStdString(), shown);

    QGuiApplication::clipboard()->clear();
    Press(*field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().toStdString(), shown);

    QGuiApplication::clipboard()->clear();
    Press(*field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().toStdString(), shown);
    EXPECT_EQ(field->Text(), "");

    Press(*field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->Text(), shown);
    Leave();
  }
}

TEST_F(NumEditShortcuts, PastingByKeyStillGoesThroughThePasteRules) {
  EnterEmpty(real);
  Type(real, "1");
  QGuiApplication::clipboard()->setText("2x");
  Press(real, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "1");
  QGuiApplication::clipboard()->setText("5");
  Press(real, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "15,000000000");
  // Undo steps back through the reformatting, then the paste.
  Press(real, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "15");
  Press(real, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "1");

  whole.SetText("12");
  whole.SetFocus();
  Press(whole, Qt::Key_End);
  QGuiApplication::clipboard()->setText("-3");
  Press(whole, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(whole.Text(), "12");
}

TEST_F(NumEditShortcuts, OtherControlKeysTypeNothing) {
  EnterEmpty(real);
  Type(real, "7");
  for (Qt::Key key : {Qt::Key_B, Qt::Key_Q, Qt::Key_1}) Press(real, key, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "7");
}

}  // namespace
}  // namespace kurvex
