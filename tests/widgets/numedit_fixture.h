// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QString>
#include <QTest>

#include <string>
#include <vector>

#include "platform/system/error.h"
#include "platform/windows/panel.h"
#include "tests/support/qtapp.h"
#include "widgets/numedit.h"

namespace kurvex::test {

/// A shown, active window holding fields configured as the main window's:
/// `real` (unsigned float, 12 digits, 9 decimals), `offset` (the same,
/// signed), `whole` (unsigned integer, 5 digits) and `elsewhere`, which
/// takes the focus when a test leaves a field. Errors reported while the
/// test runs are collected in `errors`.
class NumEditFixture : public QtAppTest {
 protected:
  void SetUp() override {
    window.SetBounds(0, 0, 420, 160);
    int top = 0;
    for (TNumEdit* field : {&real, &offset, &whole, &elsewhere}) {
      field->SetBounds(10, top += 30, 300, 24);
      field->SetShowError(true);
    }
    for (TNumEdit* field : {&real, &offset}) {
      field->SetEditType(etFloat);
      field->SetLengthLimit(12);
      field->SetPrecision(9);
    }
    offset.SetSigned(true);
    whole.SetEditType(etNumeric);
    whole.SetLengthLimit(5);
    UseSeparators({',', '.'});
    window.Show();
    window.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.Widget()));
    // Activation focuses the first field; tests enter the fields themselves.
    Leave();
    ASSERT_TRUE(elsewhere.Focused());
    SetErrorReporter([this](const EKurvexError& error) { errors.push_back(error.what()); });
  }

  void TearDown() override {
    SetErrorReporter(nullptr);
    window.Hide();
  }

  void UseSeparators(LocaleSeparators used) {
    separators = used;
    for (TNumEdit* field : {&real, &offset, &whole, &elsewhere}) field->SetSeparators(used);
  }

  /// `pattern` with "D" standing for the decimal and "T" for the thousands
  /// separator in use.
  std::string L(std::string pattern) const {
    for (char& c : pattern) {
      if (c == 'D') c = separators.Decimal;
      if (c == 'T') c = separators.Thousands;
    }
    return pattern;
  }

  static QLineEdit* Edit(TNumEdit& field) { return static_cast<QLineEdit*>(field.Widget()); }
  static int Caret(TNumEdit& field) { return Edit(field)->cursorPosition(); }

  /// Types the characters of L(keys) into the field as key presses.
  void Type(TNumEdit& field, const std::string& keys) {
    QTest::keyClicks(field.Widget(), QString::fromLatin1(L(keys)));
  }
  static void Press(TNumEdit& field, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(field.Widget(), key, modifiers);
  }
  /// Gives the field the focus (selecting its text) and empties it.
  static void EnterEmpty(TNumEdit& field) {
    field.SetFocus();
    Press(field, Qt::Key_Backspace);
  }
  void Leave() { elsewhere.SetFocus(); }

  TPanel window{nullptr};
  TNumEdit real{&window};
  TNumEdit offset{&window};
  TNumEdit whole{&window};
  TNumEdit elsewhere{&window};
  LocaleSeparators separators;
  std::vector<std::string> errors;
};

}  // namespace kurvex::test
