// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <string>
#include <vector>

#include "platform/drawing/qtconvert.h"
#include "tests/widgets/numedit_fixture.h"

namespace kurvex {
namespace {

using NumEditField = test::NumEditFixture;

std::string Clipboard() { return QGuiApplication::clipboard()->text().toStdString(); }

// Records the keys other than modifiers that reach a widget.
class KeyRecorder : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Control && key != Qt::Key_Shift) keys.push_back(key);
    return false;
  }
  std::vector<int> keys;
};

TEST_F(NumEditField, EnterAndEscapeGoOnToTheParentWindow) {
  KeyRecorder parent;
  window.Widget()->installEventFilter(&parent);
  real.SetText("1");
  real.SetFocus();
  Press(real, Qt::Key_Return);
  Press(real, Qt::Key_Enter, Qt::KeypadModifier);
  Press(real, Qt::Key_Escape);
  Press(real, Qt::Key_Return, Qt::ControlModifier);  // dropped
  window.Widget()->removeEventFilter(&parent);
  EXPECT_EQ(parent.keys, (std::vector<int>{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}));
  EXPECT_EQ(real.Text(), "1,000000000");
}

TEST_F(NumEditField, GettingTheFocusSelectsAndRemembersTheValue) {
  real.SetPrefix("x = ");
  real.SetText("2");
  real.SetFocus();
  EXPECT_EQ(Edit(real)->selectedText().toStdString(), "2,000000000");
  EXPECT_EQ(real.FocusText(), "2,000000000");
  Type(real, "7");
  EXPECT_EQ(real.Text(), "7");

  Leave();
  real.SetAutoSelect(false);
  Edit(real)->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(Edit(real)->hasSelectedText());
  EXPECT_EQ(real.FocusText(), "7,000000000");
}

TEST_F(NumEditField, PrefixAndSuffixAreShownButNeverEdited) {
  whole.SetPrefix("n = ");
  whole.SetSuffix(" Stk");
  whole.SetText("12");
  EXPECT_EQ(Edit(whole)->text().toStdString(), "n = 12 Stk");
  EXPECT_EQ(whole.Text(), "12");

  whole.SetFocus();
  Press(whole, Qt::Key_End);  // into the suffix: typing goes behind the value
  Type(whole, "3");
  EXPECT_EQ(Edit(whole)->text().toStdString(), "n = 123 Stk");
  Press(whole, Qt::Key_Home);  // into the prefix
  Press(whole, Qt::Key_Backspace);
  Press(whole, Qt::Key_Delete);
  EXPECT_EQ(Edit(whole)->text().toStdString(), "n = 23 Stk");
  Press(whole, Qt::Key_End);
  Press(whole, Qt::Key_Delete);
  EXPECT_EQ(Edit(whole)->text().toStdString(), "n = 23 Stk");

  whole.SetPrefix("");
  EXPECT_EQ(Edit(whole)->text().toStdString(), "23 Stk");
  EXPECT_EQ(whole.Text(), "23");
}

TEST_F(NumEditField, TheErrorStateFollowsTheValidatorsVerdict) {
  std::vector<std::string> judged;
  real.SetPrefix("> ");
  real.OnValueValidate = [&](TObject* sender, const std::string& value, bool& valid) {
    EXPECT_EQ(sender, &real);
    EXPECT_TRUE(valid);
    judged.push_back(value);
    valid = value.size() < 3;
  };
  EnterEmpty(real);
  Type(real, "15");
  EXPECT_FALSE(real.InErrorState());
  Type(real, "0");
  EXPECT_TRUE(real.InErrorState());
  const QPalette colours = Edit(real)->palette();
  EXPECT_EQ(colours.color(QPalette::Base), ToQColor(clRed));
  EXPECT_EQ(colours.color(QPalette::Text), ToQColor(clWhite));
  real.SetErrorColor(clYellow);
  EXPECT_EQ(Edit(real)->palette().color(QPalette::Base), ToQColor(clYellow));

  Press(real, Qt::Key_Backspace);
  EXPECT_FALSE(real.InErrorState());
  EXPECT_EQ(Edit(real)->palette().color(QPalette::Base), Edit(whole)->palette().color(QPalette::Base));
  EXPECT_EQ(judged, (std::vector<std::string>{"", "1", "15", "150", "15"}));

  Type(real, "0");
  real.SetShowError(false);
  EXPECT_FALSE(real.InErrorState());
  judged.clear();
  Type(real, "1");
  EXPECT_TRUE(judged.empty());
}

TEST_F(NumEditField, TheContextMenusPasteGoesThroughTheRules) {
  auto pasteFromMenu = [](TNumEdit& field, const char* clipboard) {
    QGuiApplication::clipboard()->setText(clipboard);
    QTimer::singleShot(0, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      for (QAction* action : menu->actions()) {
        if (action->text().startsWith("&Paste")) action->trigger();
      }
      menu->close();
    });
    const QPoint at(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, field.Widget()->mapToGlobal(at));
    QApplication::sendEvent(field.Widget(), &event);
  };
  EnterEmpty(real);
  Type(real, "1");
  pasteFromMenu(real, "2x");
  // Opening the menu is no leaving: the text is not reformatted yet.
  EXPECT_EQ(real.Text(), "1");
  pasteFromMenu(real, "5");
  EXPECT_EQ(real.Text(), "15,000000000");
  EXPECT_TRUE(errors.empty());
}

TEST_F(NumEditField, SelectCopyCutAndUndoWorkAsInAnyField) {
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
    EXPECT_EQ(Clipboard(), shown);

    QGuiApplication::clipboard()->clear();
    Press(*field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), shown);
    EXPECT_EQ(field->Text(), "");

    Press(*field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->Text(), shown);
    Leave();
  }
}

TEST_F(NumEditField, PastingByKeyGoesThroughThePasteRulesAndCanBeUndone) {
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
}

TEST_F(NumEditField, OtherControlKeysTypeNothing) {
  EnterEmpty(real);
  Type(real, "7");
  for (Qt::Key key : {Qt::Key_B, Qt::Key_Q, Qt::Key_1}) Press(real, key, Qt::ControlModifier);
  EXPECT_EQ(real.Text(), "7");
}

}  // namespace
}  // namespace kurvex
